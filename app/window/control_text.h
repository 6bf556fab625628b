#pragma once
// Control texts are GBK inside the program and UTF-16 in the controls: converting with
// code page 936 keeps the program independent of the system's ANSI code page.
#include <windows.h>

#include "gbk_text.h"

namespace zorli::window {

// A common emoji becomes its bracketed name, another character GBK cannot hold "□".
GbkText ReadControlText(HWND control);
// Bytes that begin no GBK character become U+30FB or similar, as the system decides.
void WriteControlText(HWND control, const GbkText& text);

}  // namespace zorli::window
