#include "console.h"

namespace zorli::edbtool {
namespace {

std::FILE* redirectedOut = nullptr;
std::FILE* redirectedError = nullptr;

std::FILE* OutStream() { return redirectedOut != nullptr ? redirectedOut : stdout; }
std::FILE* ErrorStream() { return redirectedError != nullptr ? redirectedError : stderr; }

}  // namespace

void RedirectOutput(std::FILE* out, std::FILE* error) {
  redirectedOut = out;
  redirectedError = error;
}

bool OutputComplete() { return std::fflush(OutStream()) == 0 && !std::ferror(OutStream()); }

void WriteOut(const std::string& utf8) { std::fwrite(utf8.data(), 1, utf8.size(), OutStream()); }

void WriteError(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), ErrorStream());
}

}  // namespace zorli::edbtool
