#include "main_window.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "controls.h"
#include "key_state.h"
#include "window_layout.h"

namespace zorli::window {
namespace {

constexpr wchar_t kMainWindowClass[] = L"ZorliMainWindow";

bool IsEditBox(int id) { return id == kMessageBoxId || id == kNicknameBoxId; }

}  // namespace

MainWindow::MainWindow(MainWindowEvents events) : events_(std::move(events)) {}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
}

bool MainWindow::RegisterClasses(HINSTANCE instance) {
  return RegisterButtonFaceClass(instance, kMainWindowClass, WindowProc) &&
         RegisterContainerClasses(instance);
}

bool MainWindow::Create(HINSTANCE instance, int showCommand) {
  if (window_ || !RegisterClasses(instance)) return false;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  window_ = CreateWindowExW(0, kMainWindowClass, kTitle, kWindowStyle, left, top, kWindowWidth,
                            kWindowHeight, nullptr, nullptr, instance, this);
  if (!window_) return false;
  if (!CreateControls()) {
    DestroyWindow(window_);
    return false;
  }
  if (events_.created) events_.created();
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  SetFocus(messageBox_);
  return true;
}

// Containers come first because their children need them; among siblings the
// template's order holds, which is also their z-order.
bool MainWindow::CreateControls() {
  pictureBox_ = CreatePictureBox(window_, kPictureBox);
  shapeBox_ = CreateShapeBox(window_, kShapeBox);
  if (!pictureBox_ || !shapeBox_) return false;
  const bool created =
      CreateSuperButton(shapeBox_, kSendButton, kSendButtonText, kSendButtonTooltip) &&
      (messageBox_ = CreateMultiLineEditBox(shapeBox_, kMessageBox)) &&
      CreateSingleLineEditBox(shapeBox_, kNicknameBox, kInitialNickname) &&
      CreateCheckBox(shapeBox_, kRightSideCheck, kRightSideText) &&
      CreateCheckBox(shapeBox_, kShowNicknameCheck, kShowNicknameText) &&
      CreateLabel(shapeBox_, kNicknameLabel, kNicknameLabelText) &&
      CreateLabel(shapeBox_, kMessageLabel, kMessageLabelText);
  return created;
}

HWND MainWindow::Control(int id) const {
  if (!window_) return nullptr;
  if (id == kPictureBoxId) return pictureBox_;
  if (id == kShapeBoxId) return shapeBox_;
  return shapeBox_ ? GetDlgItem(shapeBox_, id) : nullptr;
}

bool MainWindow::PreTranslate(const MSG& message) {
  if (!window_) return false;
  if (message.hwnd == messageBox_ &&
      IsSendKey(message.message, message.wParam, CurrentShiftState())) {
    if (events_.sendRequested) events_.sendRequested();
    return true;
  }
  const bool inWindow = message.hwnd == window_ || IsChild(window_, message.hwnd);
  if (inWindow && IsSendButtonAccessKey(message.message, message.wParam, CurrentShiftState())) {
    if (events_.sendRequested) events_.sendRequested();
    return true;
  }
  if (inWindow && IsSaveKey(message.message, message.wParam, CurrentShiftState())) {
    if (events_.saveRequested) events_.saveRequested();
    return true;
  }
  if (IsSelectAllKey(message.message, message.wParam, CurrentShiftState()) &&
      IsEditBox(GetDlgCtrlID(message.hwnd)) && GetParent(message.hwnd) == shapeBox_) {
    SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
    return true;
  }
  if (message.message == WM_MOUSEWHEEL && inWindow && WheelToListUnderMouse(message)) return true;
  if (const int step = FocusStep(message.message, message.wParam, CurrentShiftState());
      inWindow && step != 0) {
    MoveFocus(message.hwnd, step);
    return true;
  }
  return false;
}

// From a window outside the order (the chat list) Tab enters at the first control and
// Shift+Tab at the last. Like a dialog, it shows focus cues from then on and selects the
// whole text of an edit box it enters.
void MainWindow::MoveFocus(HWND from, int step) {
  const int count = static_cast<int>(std::size(kTabOrder));
  const int* at = std::find_if(std::begin(kTabOrder), std::end(kTabOrder),
                               [&](int id) { return Control(id) == from; });
  int index = at != std::end(kTabOrder) ? static_cast<int>(at - std::begin(kTabOrder))
                                        : (step > 0 ? -1 : count);
  index = (index + step + count) % count;
  HWND next = Control(kTabOrder[index]);
  SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(next);
  if (IsEditBox(kTabOrder[index])) SendMessageW(next, EM_SETSEL, 0, -1);
}

// Some systems send the wheel to the focused window (the message box); a chat list reader
// expects the list under the mouse to scroll.
bool MainWindow::WheelToListUnderMouse(const MSG& message) {
  const POINT at{static_cast<int16_t>(LOWORD(message.lParam)),
                 static_cast<int16_t>(HIWORD(message.lParam))};
  HWND under = WindowFromPoint(at);
  if (under == nullptr || under == message.hwnd || !IsChild(pictureBox_, under)) return false;
  SendMessageW(under, WM_MOUSEWHEEL, message.wParam, message.lParam);
  return true;
}

void MainWindow::RestoreFocus() {
  HWND target = lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(window_, lastFocus_)
                    ? lastFocus_
                    : messageBox_;
  if (target != nullptr) SetFocus(target);
}

int MainWindow::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void MainWindow::OnCommand(int id, int notification) {
  if (notification != BN_CLICKED) return;
  if (id == kSendButtonId) {
    if (events_.sendRequested) events_.sendRequested();
  } else if (id == kShowNicknameCheckId) {
    const bool ticked =
        SendMessageW(Control(kShowNicknameCheckId), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (events_.showNicknameChanged) events_.showNicknameChanged(ticked);
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CTLCOLOREDIT:
      if (IsEditBox(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)))) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kEditTextColour);
        SetBkColor(dc, kEditBackColour);
        SetDCBrushColor(dc, kEditBackColour);
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
      }
      break;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kLabelTextColour);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    // Like a dialog: the focus leaves with the window and comes back to the same control
    // (after minimising, after switching programs), never to the frame itself.
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
      } else if (!HIWORD(wParam)) {
        RestoreFocus();
        return 0;
      }
      break;
    case WM_SETFOCUS: RestoreFocus(); return 0;
    case WM_DESTROY:
      if (events_.destroying) events_.destroying();
      window_ = pictureBox_ = shapeBox_ = messageBox_ = lastFocus_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || self->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

}  // namespace zorli::window
