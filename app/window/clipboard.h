#pragma once
// Text on the clipboard, as Unicode so that any program reads it alike.
#include <windows.h>

#include <optional>
#include <string>

namespace zorli::window {

// Replaces the clipboard's content with text (CF_UNICODETEXT); false when the clipboard
// could not be had or the memory not allocated.
bool PutTextOnClipboard(HWND owner, const std::wstring& text);
// The clipboard's Unicode text, nullopt when it holds none.
std::optional<std::wstring> ClipboardText(HWND owner);

}  // namespace zorli::window
