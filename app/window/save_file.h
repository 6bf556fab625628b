#pragma once
// Saving a file the user named: the Save As dialog, and a write that never leaves half a
// file behind.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zorli::window {

// The Save As dialog for a text file, starting in the current folder with defaultName;
// asks before replacing a file. nullopt when cancelled. The current folder stays as it was.
std::optional<std::wstring> AskSavePath(HWND owner, const std::wstring& title,
                                        const std::wstring& defaultName);

// Writes bytes to a new file beside path, then renames it over path: path holds either its
// old content or all of bytes. On failure, the reason in the system's words; nothing is
// left beside path.
std::optional<std::wstring> WriteFileReplacing(const std::wstring& path, std::string_view bytes);

}  // namespace zorli::window
