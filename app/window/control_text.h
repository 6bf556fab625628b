#pragma once
// Control texts are GBK inside the program and UTF-16 in the controls: converting with
// code page 936 keeps the program independent of the system's ANSI code page.
#include <windows.h>

#include <string>

#include "gbk_text.h"

namespace zorli::window {

// Bytes that begin no GBK character become U+30FB or similar, as the system decides.
std::wstring GbkToWide(const GbkText& text);
// Characters GBK cannot hold become "?".
GbkText WideToGbk(const std::wstring& text);

GbkText ReadControlText(HWND control);
void WriteControlText(HWND control, const GbkText& text);

}  // namespace zorli::window
