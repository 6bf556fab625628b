#pragma once
// The window units of the main window's template, made from Win32 controls. Every unit
// uses the default GUI font.
#include <windows.h>

#include "window_layout.h"

namespace zorli::window {

// Registers a window class with the arrow cursor and the button-face background, unless it
// is registered already.
bool RegisterButtonFaceClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);
// Registers the window classes of the picture box and the shape box (once per process).
bool RegisterContainerClasses(HINSTANCE instance);

// A box with a thin border on the button face; hosts the chat list.
HWND CreatePictureBox(HWND parent, const ControlPlace& place);
// A container drawing a one-pixel grey frame on the button face. Notifications and colour
// requests of its children go on to its parent.
HWND CreateShapeBox(HWND parent, const ControlPlace& place);

HWND CreateMultiLineEditBox(HWND parent, const ControlPlace& place);
// Enlarged to the font's text height plus both edges when placed lower than that.
HWND CreateSingleLineEditBox(HWND parent, const ControlPlace& place, const wchar_t* text);
// Ticked at creation; the text stands right of the box, vertically centred.
HWND CreateCheckBox(HWND parent, const ControlPlace& place, const wchar_t* text);
HWND CreateLabel(HWND parent, const ControlPlace& place, const wchar_t* text);
// The extended push button: a caption with an access key and a tooltip.
HWND CreateSuperButton(HWND parent, const ControlPlace& place, const wchar_t* caption,
                       const wchar_t* tooltip);

}  // namespace zorli::window
