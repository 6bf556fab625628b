#pragma once
// The few common-controls functions the window calls. comctl32 is no KnownDLL, so it is not
// imported: the functions are taken from the DLL loaded from System32 (Common Controls 6
// when the manifest asks for it).
#include <windows.h>
#include <commctrl.h>

namespace zorli::window {

bool InitCommonControlClasses(DWORD classes);
BOOL SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
// DefWindowProcW when the common controls could not be had.
LRESULT DefSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zorli::window
