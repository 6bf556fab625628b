#pragma once
// The console programs' side of the platform: byte-exact standard streams and UTF-8
// command lines.
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

namespace zorli::platform {

// Standard input, output and error carry bytes exactly as given: no CR LF translation.
void UseBinaryStandardStreams();
// The command-line arguments after the program name, as UTF-8 (on Windows read from the
// wide command line, whatever the ANSI code page).
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// A console window takes and gives UTF-16, whatever its code page: these buffers read
// lines typed into it, and write to it, as UTF-8. nullptr when the stream is not such a
// console (redirected, or on POSIX, where a terminal takes the bytes as they are).
std::unique_ptr<std::streambuf> ConsoleInputBuffer();
std::unique_ptr<std::streambuf> ConsoleOutputBuffer();

// A UTF-8 file name as this platform's file layer takes it (GBK on Windows, opened
// through UTF-16 there).
std::string NativePath(const std::string& utf8);

}  // namespace zorli::platform
