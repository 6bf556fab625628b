// The Windows program's entry point.
#include <windows.h>

#include "platform/platform.h"
#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // Before anything can load a DLL; a system that cannot restrict the search still
  // gets GDI+ and the common controls from System32 (RunZorli).
  zorli::platform::LoadLibrariesFromSystemFolderOnly();
  return zorli::window::RunZorli(instance, showCommand);
}
