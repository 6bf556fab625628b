#pragma once
// What a screen reader gets for the chat list box: a list whose children are the entries,
// each named by the owner's naming function, or by its nickname and content.
#include <windows.h>

namespace zorli {

// The answer to WM_GETOBJECT for the list box's client area; 0 for any other object, which
// the system then answers.
LRESULT AnswerAccessibleObject(HWND list, WPARAM flags, LPARAM objectId);

}  // namespace zorli
