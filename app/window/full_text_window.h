#pragma once
// A window showing one entry's whole text, for entries the chat list shows cut: resizable,
// scrollable, read-only, the text selectable and copyable (Ctrl+A, Ctrl+C). Esc closes it.
#include <windows.h>

#include <string>

namespace zorli::window {

constexpr wchar_t kFullTextWindowClass[] = L"ZorliFullTextWindow";

// Opens a window owned by owner; it lives until it is closed or its owner is destroyed.
// text: line ends CR LF. nullptr when the window could not be created.
HWND OpenFullTextWindow(HWND owner, const std::wstring& title, const std::wstring& text);

}  // namespace zorli::window
