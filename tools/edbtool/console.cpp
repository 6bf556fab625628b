#include "console.h"

namespace zorli::edbtool {
namespace {

std::FILE* redirectedOut = nullptr;
std::FILE* redirectedError = nullptr;

std::FILE* outStream() { return redirectedOut != nullptr ? redirectedOut : stdout; }
std::FILE* errorStream() { return redirectedError != nullptr ? redirectedError : stderr; }

}  // namespace

void RedirectOutput(std::FILE* out, std::FILE* error) {
  redirectedOut = out;
  redirectedError = error;
}

bool OutputComplete() { return std::fflush(outStream()) == 0 && !std::ferror(outStream()); }

void WriteOut(const std::string& utf8) { std::fwrite(utf8.data(), 1, utf8.size(), outStream()); }

void WriteError(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), errorStream());
}

}  // namespace zorli::edbtool
