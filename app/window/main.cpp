// The Windows program's entry point.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return zorli::window::RunZorli(instance, showCommand);
}
