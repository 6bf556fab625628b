#pragma once
// How a text file the user may open in an editor ends its lines here: CR LF on Windows,
// where Notepad expects it, LF elsewhere.

namespace zorli::platform {

#ifdef _WIN32
constexpr const char* kTextLineEnd = "\r\n";
#else
constexpr const char* kTextLineEnd = "\n";
#endif

}  // namespace zorli::platform
