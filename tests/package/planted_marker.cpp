// What a stranger would plant beside our programs: built as a program (named Explorer.exe)
// and as a DLL (named gdiplus.dll, comctl32.dll ...). Whenever it runs or is loaded it
// leaves "<its own file name>.ran" beside itself, and does nothing else.
#include <windows.h>

#include <string>

namespace {

void LeaveMark(HMODULE module) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  const std::wstring mark = std::wstring(path, n) + L".ran";
  HANDLE file = CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace

#ifdef ZORLI_PLANTED_LIBRARY
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) LeaveMark(instance);
  return TRUE;
}
#else
int main() {
  LeaveMark(nullptr);
  return 0;
}
#endif
