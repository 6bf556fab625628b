#pragma once
// The tool's UTF-8 console on Linux and Windows: arguments, output, and file names.
#include <cstdio>
#include <string>
#include <vector>

namespace zorli::edbtool {

// The command-line arguments after the program name, as UTF-8.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// Standard output and error written byte for byte (no newline translation).
void WriteOut(const std::string& utf8);
void WriteError(const std::string& utf8);
// Sends WriteOut and WriteError to other streams (tests); nullptr restores the standard ones.
void RedirectOutput(std::FILE* out, std::FILE* error);
// Flushes the output; false when any of it could not be written (a full disk, a closed
// pipe), so a failed dump never looks like a good one.
bool OutputComplete();
// A UTF-8 file name as the file API of this platform takes it.
std::string NativePath(const std::string& utf8);

}  // namespace zorli::edbtool
