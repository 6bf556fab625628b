#pragma once
// The tool's UTF-8 console on Linux and Windows: arguments, output, and file names.
#include <string>
#include <vector>

namespace zorli::edbtool {

// The command-line arguments after the program name, as UTF-8.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// Standard output and error written byte for byte (no newline translation).
void WriteOut(const std::string& utf8);
void WriteError(const std::string& utf8);
// A UTF-8 file name as the file API of this platform takes it.
std::string NativePath(const std::string& utf8);

}  // namespace zorli::edbtool
