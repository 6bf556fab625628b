#include "common_controls.h"

namespace zorli::window {
namespace {

struct Functions {
  BOOL(WINAPI* init)(const INITCOMMONCONTROLSEX*) = nullptr;
  BOOL(WINAPI* setSubclass)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR) = nullptr;
  BOOL(WINAPI* removeSubclass)(HWND, SUBCLASSPROC, UINT_PTR) = nullptr;
  LRESULT(WINAPI* defSubclass)(HWND, UINT, WPARAM, LPARAM) = nullptr;
};

template <typename Function>
void Take(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Looked up once, on the GUI thread, the first time one is needed.
const Functions& CommonControls() {
  static const Functions functions = [] {
    Functions found;
    HMODULE module = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) return found;
    Take(module, "InitCommonControlsEx", found.init);
    Take(module, "SetWindowSubclass", found.setSubclass);
    Take(module, "RemoveWindowSubclass", found.removeSubclass);
    Take(module, "DefSubclassProc", found.defSubclass);
    return found;
  }();
  return functions;
}

}  // namespace

bool InitCommonControlClasses(DWORD classes) {
  const INITCOMMONCONTROLSEX init{sizeof init, classes};
  return CommonControls().init && CommonControls().init(&init);
}

BOOL SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  return CommonControls().setSubclass && CommonControls().setSubclass(window, procedure, id, data);
}

BOOL RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  return CommonControls().removeSubclass && CommonControls().removeSubclass(window, procedure, id);
}

LRESULT DefSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CommonControls().defSubclass ? CommonControls().defSubclass(window, message, wParam, lParam)
                                      : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zorli::window
