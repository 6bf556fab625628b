#include "console.h"

namespace zorli::platform {

// POSIX streams translate nothing and the arguments arrive as the terminal wrote them.
void UseBinaryStandardStreams() {}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::unique_ptr<std::streambuf> ConsoleInputBuffer() { return nullptr; }

std::unique_ptr<std::streambuf> ConsoleOutputBuffer() { return nullptr; }

std::string NativePath(const std::string& utf8) { return utf8; }

}  // namespace zorli::platform
