#include "zorli_process.h"

#include <utility>
#include <vector>

#include "chat_list_windows.h"
#include "keyboard_input.h"
#include "window_layout.h"

namespace zorli::testing {
namespace {

struct ClassSearch {
  DWORD processId;
  const wchar_t* className;
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<ClassSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner == search->processId && IsWindowVisible(window) &&
      wcscmp(name, search->className) == 0 &&
      (search->owner == nullptr || GetWindow(window, GW_OWNER) == search->owner)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Time for the program to take each batch of input.
constexpr DWORD kInputPauseMilliseconds = 30;
constexpr DWORD kPointerWaitMilliseconds = 500;
constexpr int kPointerAttempts = 3;

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(50);
  }
  return true;
}

ZorliProcess::ZorliProcess(const std::wstring& program, const std::wstring& folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process_)) {
    return;
  }
  WaitForInputIdle(process_.hProcess, 20000);
  WaitUntil(
      [&] { return (mainWindow_ = FindWindowOfClass(L"ZorliMainWindow", nullptr)) != nullptr; },
      20000);
  if (!mainWindow_) return;
  frame_ = FindWindowExW(Control(window::kPictureBoxId), nullptr, L"QuarnPopChatFrame", nullptr);
  list_ = frame_ ? FindWindowExW(frame_, nullptr, L"QuarnPopChat", nullptr) : nullptr;
}

ZorliProcess::~ZorliProcess() {
  if (!process_.hProcess) return;
  if (CloseAndWait(10000) == -1) TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

long ZorliProcess::CloseAndWait(DWORD milliseconds) {
  if (mainWindow_ && IsWindow(mainWindow_)) PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<long>(code);
}

HWND ZorliProcess::Control(int id) const {
  if (!mainWindow_) return nullptr;
  HWND picture = GetWindow(mainWindow_, GW_CHILD);
  HWND shape = picture ? GetWindow(picture, GW_HWNDNEXT) : nullptr;
  if (id == window::kPictureBoxId) return picture;
  if (id == window::kShapeBoxId) return shape;
  return shape ? GetDlgItem(shape, id) : nullptr;
}

int ZorliProcess::EntryCount() const {
  return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
}

GbkText ZorliProcess::ReadRemoteText(const char* address) const {
  GbkText text;
  char chunk[64];
  while (address && text.size() < 65536) {
    SIZE_T read = 0;
    if (!ReadProcessMemory(process_.hProcess, address, chunk, sizeof chunk, &read) || read == 0) {
      // The chunk may cross the end of the block's page; fall back to single bytes.
      if (!ReadProcessMemory(process_.hProcess, address, chunk, 1, &read) || read == 0) break;
    }
    for (SIZE_T i = 0; i < read; ++i) {
      if (chunk[i] == '\0') return text;
      text.push_back(chunk[i]);
    }
    address += read;
  }
  return text;
}

ShownEntry ZorliProcess::Entry(int index) const {
  ShownEntry shown;
  const LRESULT block = SendMessageW(list_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  ChatEntry entry;
  if (block == LB_ERR || block == 0 ||
      !ReadProcessMemory(process_.hProcess, reinterpret_cast<void*>(block), &entry, sizeof entry,
                         nullptr)) {
    return shown;
  }
  shown.kind = entry.kind;
  shown.nickname = ReadRemoteText(entry.nickname);
  shown.content = ReadRemoteText(entry.content);
  shown.avatar = entry.avatar;
  shown.nicknameRect = entry.nicknameRect;
  shown.bubbleRect = entry.bubbleRect;
  shown.showNickname = entry.showNickname != 0;
  shown.rightSide = entry.rightSide != 0;
  return shown;
}

std::wstring ZorliProcess::ControlText(int id) const {
  wchar_t text[1024] = {};
  SendMessageW(Control(id), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

bool ZorliProcess::Busy(DWORD milliseconds) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, milliseconds, &result) == 0;
}

int ScreenCapture::CountNear(uint32_t colour, int tolerance) const {
  const auto close = [&](uint32_t pixel, int shift) {
    const int a = static_cast<int>((pixel >> shift) & 0xFF);
    const int b = static_cast<int>((colour >> shift) & 0xFF);
    return a - b <= tolerance && b - a <= tolerance;
  };
  int count = 0;
  for (uint32_t pixel : pixels) count += close(pixel, 0) && close(pixel, 8) && close(pixel, 16);
  return count;
}

// Read from the screen, not from the window: what the user sees, painted or not.
ScreenCapture CaptureClient(HWND window) {
  ScreenCapture capture;
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  capture.width = client.right;
  capture.height = client.bottom;
  if (capture.width <= 0 || capture.height <= 0) return capture;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  capture.pixels.assign(pixels, pixels + static_cast<size_t>(capture.width) * capture.height);
  for (uint32_t& pixel : capture.pixels) pixel &= 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return capture;
}

HWND ZorliProcess::FocusedWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info.hwndFocus;
}

namespace {

INPUT MouseAt(POINT screen, DWORD flags) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = screen.x * 65535 / (screenWidth - 1);
  input.mi.dy = screen.y * 65535 / (screenHeight - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

POINT MiddleOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Moves the pointer to at, then presses and releases a button there times times in one
// batch. The buttons wait until the pointer stays at the target: on a busy machine Wine may
// still put it back where the last click left it, and the press would land there.
void ButtonsAt(POINT at, DWORD down, DWORD up, int times) {
  const auto arrived = [&] {
    POINT now{};
    GetCursorPos(&now);
    return now.x == at.x && now.y == at.y;
  };
  for (int attempt = 0; attempt < kPointerAttempts; ++attempt) {
    SendInputs({MouseAt(at, MOUSEEVENTF_MOVE)}, kInputPauseMilliseconds);
    if (WaitUntil(arrived, kPointerWaitMilliseconds)) {
      Sleep(kInputPauseMilliseconds);
      if (arrived()) break;
    }
  }
  std::vector<INPUT> inputs;
  for (int i = 0; i < times; ++i) {
    inputs.push_back(MouseAt(at, down));
    inputs.push_back(MouseAt(at, up));
  }
  SendInputs(std::move(inputs), kInputPauseMilliseconds);
}

void ClickAtScreen(POINT at) { ButtonsAt(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1); }

}  // namespace

void ZorliProcess::Click(int id) const { ClickAtScreen(MiddleOf(Control(id))); }

void ZorliProcess::ClickAt(HWND window, POINT client) const {
  ClientToScreen(window, &client);
  ClickAtScreen(client);
}

void ZorliProcess::Wheel(HWND window, int delta) const {
  const POINT at = MiddleOf(window);
  INPUT turn = MouseAt(at, MOUSEEVENTF_WHEEL);
  turn.mi.mouseData = static_cast<DWORD>(delta);
  SendInputs({MouseAt(at, MOUSEEVENTF_MOVE), turn}, kInputPauseMilliseconds);
}

POINT ZorliProcess::BubblePoint(int index, int dy) const {
  const EntryRect bubble = Entry(index).bubbleRect;
  RECT item{};
  SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  const int below = bubble.Height() / 2 < dy ? bubble.Height() / 2 : dy;
  // A list scrolled to the bottom shows its items lower than their rectangles.
  POINT point{item.left + (bubble.left + bubble.right) / 2,
              item.top + ViewShift(list_) + bubble.top + below};
  ClientToScreen(list_, &point);
  return point;
}

void ZorliProcess::RightClickAt(POINT screen) const {
  ButtonsAt(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

void ZorliProcess::DoubleClickAt(POINT screen) const {
  ButtonsAt(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
}

HWND ZorliProcess::FindWindowOfClass(const wchar_t* className, HWND owner) const {
  ClassSearch search{process_.dwProcessId, className, owner, nullptr};
  EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ZorliProcess::Type(const std::wstring& text) const {
  for (wchar_t character : text) {
    SendInputs({KeyboardInput(0, character, KEYEVENTF_UNICODE),
                KeyboardInput(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)},
               kInputPauseMilliseconds);
  }
}

void ZorliProcess::Press(std::initializer_list<WORD> modifiers, WORD key, bool extended) const {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyboardInput(modifier, 0, 0));
  const DWORD extendedFlag = extended ? KEYEVENTF_EXTENDEDKEY : 0;
  inputs.push_back(KeyboardInput(key, 0, extendedFlag));
  inputs.push_back(KeyboardInput(key, 0, extendedFlag | KEYEVENTF_KEYUP));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
    inputs.push_back(KeyboardInput(*it, 0, KEYEVENTF_KEYUP));
  }
  SendInputs(std::move(inputs), kInputPauseMilliseconds);
}

}  // namespace zorli::testing
