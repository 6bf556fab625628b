#include "startup.h"

#include <string>

#include "application.h"
#include "chat_list_resources.h"
#include "window_layout.h"

namespace zorli::window {
namespace {

const wchar_t* PartText(ChatListPart part) {
  switch (part) {
    case ChatListPart::kGraphics: return L"图形库 GDI+ 无法启动";
    case ChatListPart::kWindowClasses: return L"聊天列表的窗口类无法注册";
    case ChatListPart::kMeasuringSurface: return L"聊天列表的文字测量表面无法创建";
    default: return L"聊天列表无法建立";
  }
}

// Told while the program-wide state still exists: the box runs its own message loop.
void ReportStartFailure(const wchar_t* what, uint32_t code) {
  const std::wstring text =
      std::wstring(L"Zorli 无法启动：") + what + L"（错误代码 " + std::to_wstring(code) + L"）。";
  MessageBoxW(nullptr, text.c_str(), kTitle, MB_OK | MB_ICONERROR);
}

// GDI+ and oleacc are bound on their first call (cmake/DelayLoad.cmake), the common controls
// are asked by name (controls.cpp); loaded here from System32, never from our folder, these
// are the modules those calls find.
const wchar_t* LoadSystemLibraries() {
  for (const wchar_t* dll : {L"comctl32.dll", L"gdiplus.dll", L"oleacc.dll"}) {
    if (LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) == nullptr) return dll;
  }
  return nullptr;
}

}  // namespace

int RunZorli(HINSTANCE instance, int showCommand) {
  int exitCode = kStartFailedExitCode;
  {
    Application application;
    if (const wchar_t* missing = LoadSystemLibraries())
      ReportStartFailure((std::wstring(L"系统库 ") + missing + L" 无法载入").c_str(), GetLastError());
    else if (const ChatListSetup setup = InitChatListStyles(); !setup)
      ReportStartFailure(PartText(setup.failed), setup.code);
    else if (!application.Open(instance, showCommand))
      ReportStartFailure(L"主窗口无法创建", GetLastError());
    else
      exitCode = application.Run();
  }
  // After the application, whose window the chat list's classes and pictures serve.
  ShutdownChatListStyles();
  return exitCode;
}

}  // namespace zorli::window
