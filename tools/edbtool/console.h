#pragma once
// The tool's console output, byte for byte, and where tests redirect it.
#include <cstdio>
#include <string>

namespace zorli::edbtool {

// Standard output and error; the program makes them binary at start.
void WriteOut(const std::string& utf8);
void WriteError(const std::string& utf8);
// Sends WriteOut and WriteError to other streams (tests); nullptr restores the standard ones.
void RedirectOutput(std::FILE* out, std::FILE* error);
// Flushes the output; false when any of it could not be written (a full disk, a closed
// pipe), so a failed dump never looks like a good one.
bool OutputComplete();

}  // namespace zorli::edbtool
