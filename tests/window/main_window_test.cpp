// The main window as the user gets it: layout, styles, colours, tooltip and the events
// its controls raise, in a real window of this process.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "main_window.h"
#include "window_frame_checks.h"
#include "window_layout.h"

namespace zorli::window {
namespace {

struct ExpectedUnit {
  const wchar_t* className;
  const wchar_t* text;
  DWORD style;      // bits that must be set
  DWORD exStyle;    // bits that must be set
  DWORD forbidden;  // style bits that must be clear
};

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<HWND> ChildrenInOrder(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

void PumpPendingMessages(MainWindow& window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT || window.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MainWindowEvents events;
    events.created = [this] {
      ++created_;
      visibleWhenCreated_ = IsWindowVisible(window_->Handle()) != FALSE;
      controlsWhenCreated_ = window_->Control(kMessageLabelId) != nullptr;
    };
    events.sendRequested = [this] { ++sends_; };
    events.showNicknameChanged = [this](bool show) { nicknameStates_.push_back(show); };
    events.destroying = [this] { ++destroyed_; };
    window_ = std::make_unique<MainWindow>(std::move(events));
    ASSERT_TRUE(window_->Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL));
    PumpPendingMessages(*window_);
  }
  void TearDown() override {
    if (window_->Handle()) DestroyWindow(window_->Handle());
    PumpPendingMessages(*window_);
  }
  HWND Unit(int id) { return window_->Control(id); }

  std::unique_ptr<MainWindow> window_;
  int created_ = 0;
  bool visibleWhenCreated_ = true;
  bool controlsWhenCreated_ = false;
  int sends_ = 0;
  std::vector<bool> nicknameStates_;
  int destroyed_ = 0;
};

TEST_F(MainWindowTest, WindowIsCentredFixedDialogWithMinimizeAndClose) {
  HWND main = window_->Handle();
  ExpectCentredTemplateFrame(main);
  EXPECT_EQ(TextOf(main), L"Kadu机器人Zorli 测试版 -未完善");

  const DWORD style = static_cast<DWORD>(GetWindowLongW(main, GWL_STYLE));
  for (DWORD bit : {DWORD(WS_CAPTION), DWORD(WS_DLGFRAME), DWORD(WS_SYSMENU), DWORD(WS_MINIMIZEBOX),
                    DWORD(WS_CLIPCHILDREN)}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD), 0u);
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(main, GWL_EXSTYLE));
  EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), 0u);
  EXPECT_EQ(GetClassLongPtrW(main, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
  EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(MainWindowTest, ControlsFollowTheTemplateInOrder) {
  const std::vector<HWND> top = ChildrenInOrder(window_->Handle());
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(top[0], Unit(kPictureBoxId));
  EXPECT_EQ(top[1], Unit(kShapeBoxId));
  EXPECT_TRUE(GetWindowLongW(top[0], GWL_STYLE) & WS_BORDER);
  EXPECT_EQ(GetWindowLongW(top[0], GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), 0);

  const DWORD multiLine = WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  // Long lines wrap; the selection hides without the focus; both boxes take input.
  const DWORD notInEditBoxes = ES_NOHIDESEL | ES_READONLY | ES_PASSWORD | ES_UPPERCASE |
                               ES_LOWERCASE | ES_NUMBER | ES_CENTER | ES_RIGHT;
  const DWORD checkBox = BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER;
  const ExpectedUnit expected[] = {
      {L"Button", L"发  送 (&S)", BS_PUSHBUTTON, 0, 0},
      {L"Edit", L"", multiLine, WS_EX_CLIENTEDGE, notInEditBoxes | ES_AUTOHSCROLL | WS_HSCROLL},
      {L"Edit", L" Velan-", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
       notInEditBoxes | ES_MULTILINE | WS_VSCROLL | WS_HSCROLL},
      {L"Button", L"靠右显示", checkBox, 0, BS_LEFTTEXT},
      {L"Button", L"昵称显示", checkBox, 0, BS_LEFTTEXT},
      {L"Static", L"用户昵称：", SS_LEFT, 0, WS_BORDER | SS_SUNKEN},
      {L"Static", L"消息内容：", SS_LEFT, 0, WS_BORDER | SS_SUNKEN},
  };
  const std::vector<HWND> inner = ChildrenInOrder(top[1]);
  ASSERT_EQ(inner.size(), std::size(expected));
  HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (size_t i = 0; i < inner.size(); ++i) {
    SCOPED_TRACE(i);
    const ExpectedUnit& unit = expected[i];
    EXPECT_EQ(_wcsicmp(ClassOf(inner[i]).c_str(), unit.className), 0);
    EXPECT_EQ(TextOf(inner[i]), unit.text);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(inner[i], GWL_STYLE));
    EXPECT_EQ(style & unit.style, unit.style);
    EXPECT_EQ(style & unit.forbidden, 0u) << std::hex << style;
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(inner[i], GWL_EXSTYLE));
    EXPECT_EQ(exStyle & unit.exStyle, unit.exStyle);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(inner[i], WM_GETFONT, 0, 0)), guiFont);
  }
  EXPECT_EQ(inner[0], Unit(kSendButtonId));
  EXPECT_EQ(inner[1], Unit(kMessageBoxId));
  EXPECT_EQ(inner[2], Unit(kNicknameBoxId));
  EXPECT_EQ(SendMessageW(inner[3], BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(inner[4], BM_GETCHECK, 0, 0), BST_CHECKED);
  // No length limit: a message box takes any length.
  EXPECT_GE(static_cast<DWORD>(SendMessageW(inner[1], EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
  EXPECT_EQ(GetFocus(), Unit(kMessageBoxId));
}

TEST_F(MainWindowTest, EveryControlLiesInsideItsContainerAndCoversNoOther) {
  for (HWND container : {window_->Handle(), Unit(kShapeBoxId)}) {
    RECT client;
    GetClientRect(container, &client);
    const std::vector<HWND> children = ChildrenInOrder(container);
    for (size_t i = 0; i < children.size(); ++i) {
      const RECT rect = RectInParent(children[i]);
      EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right &&
                  rect.bottom <= client.bottom)
          << "control " << GetDlgCtrlID(children[i]);
      for (size_t j = i + 1; j < children.size(); ++j) {
        const RECT other = RectInParent(children[j]);
        RECT common;
        EXPECT_FALSE(IntersectRect(&common, &rect, &other))
            << "controls " << GetDlgCtrlID(children[i]) << " and " << GetDlgCtrlID(children[j]);
      }
    }
  }
}

TEST_F(MainWindowTest, ChatAreaStandsAboveTheInputAreaAcrossTheSameWidth) {
  const RECT chat = RectInParent(Unit(kPictureBoxId));
  const RECT input = RectInParent(Unit(kShapeBoxId));
  EXPECT_LE(chat.bottom, input.top);
  EXPECT_EQ(chat.left, input.left);
  EXPECT_EQ(chat.right, input.right);
  EXPECT_GT(chat.bottom - chat.top, input.bottom - input.top);  // the conversation gets the room
}

// A label stands before the box it names, level with the box's first line.
TEST_F(MainWindowTest, EachLabelStandsLeftOfTheBoxItNames) {
  for (const auto& [label, box] :
       {std::pair{kNicknameLabelId, kNicknameBoxId}, std::pair{kMessageLabelId, kMessageBoxId}}) {
    SCOPED_TRACE(label);
    const RECT labelRect = RectInParent(Unit(label));
    const RECT boxRect = RectInParent(Unit(box));
    EXPECT_LE(labelRect.right, boxRect.left);
    EXPECT_LE(labelRect.top, boxRect.top);
    EXPECT_LT(boxRect.top, labelRect.bottom);
  }
}

// Captions are never cut: each fits its control in the control's own font; the nickname
// box holds one line of its font inside its edges.
TEST_F(MainWindowTest, EveryCaptionFitsItsControl) {
  HDC dc = GetDC(window_->Handle());
  const auto textSize = [dc](HWND control, UINT prefixFlag) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font);
    const std::wstring text = TextOf(control);
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &box, DT_CALCRECT | DT_SINGLELINE | prefixFlag);
    SelectObject(dc, oldFont);
    return SIZE{box.right, box.bottom};
  };
  const int checkMark = GetSystemMetrics(SM_CXMENUCHECK);
  const struct {
    int id;
    int besideText;  // what the control draws beside its caption
    UINT prefixFlag;
  } captions[] = {
      {kNicknameLabelId, 0, DT_NOPREFIX},
      {kMessageLabelId, 0, DT_NOPREFIX},
      {kRightSideCheckId, checkMark, DT_NOPREFIX},
      {kShowNicknameCheckId, checkMark, DT_NOPREFIX},
      {kSendButtonId, 2 * GetSystemMetrics(SM_CXEDGE), 0},  // "&S" shows as an underlined S
  };
  for (const auto& caption : captions) {
    SCOPED_TRACE(caption.id);
    RECT client;
    GetClientRect(Unit(caption.id), &client);
    const SIZE text = textSize(Unit(caption.id), caption.prefixFlag);
    EXPECT_GT(text.cx, 0);
    EXPECT_LE(text.cx + caption.besideText, client.right);
    EXPECT_LE(text.cy, client.bottom);
  }
  const SIZE line = textSize(Unit(kNicknameBoxId), DT_NOPREFIX);
  const RECT nickname = RectInParent(Unit(kNicknameBoxId));
  EXPECT_GE(nickname.bottom - nickname.top, line.cy + 2 * GetSystemMetrics(SM_CYEDGE));
  ReleaseDC(window_->Handle(), dc);
}

// Only the labels are passed over.
TEST_F(MainWindowTest, TabOrderHoldsEveryControlThatTakesInputOnce) {
  for (HWND control : ChildrenInOrder(Unit(kShapeBoxId))) {
    const int id = GetDlgCtrlID(control);
    const bool takesInput = _wcsicmp(ClassOf(control).c_str(), L"Static") != 0;
    const auto places = std::count(std::begin(kTabOrder), std::end(kTabOrder), id);
    EXPECT_EQ(places, takesInput ? 1 : 0) << id;
  }
}

TEST_F(MainWindowTest, CreationEventRunsOnceWithAllControlsBeforeShowing) {
  EXPECT_EQ(created_, 1);
  EXPECT_TRUE(controlsWhenCreated_);
  EXPECT_FALSE(visibleWhenCreated_);
}

TEST_F(MainWindowTest, ColoursOfEditBoxesLabelsAndShapeFrame) {
  HDC dc = CreateCompatibleDC(nullptr);
  for (int id : {int(kMessageBoxId), int(kNicknameBoxId)}) {
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(1, 2, 3));
    SendMessageW(Unit(kShapeBoxId), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Unit(id)));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  }
  for (int id : {int(kNicknameLabelId), int(kMessageLabelId), int(kRightSideCheckId),
                 int(kShowNicknameCheckId)}) {
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageW(Unit(kShapeBoxId), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Unit(id)));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
  }
  DeleteDC(dc);

  UpdateWindow(window_->Handle());
  HDC boxDc = GetDC(Unit(kShapeBoxId));
  EXPECT_EQ(GetPixel(boxDc, 0, 0), RGB(96, 96, 96));
  RECT box;
  GetClientRect(Unit(kShapeBoxId), &box);
  EXPECT_EQ(GetPixel(boxDc, box.right - 1, box.bottom - 1), RGB(96, 96, 96));
  EXPECT_EQ(GetPixel(boxDc, 200, 0), RGB(96, 96, 96));
  EXPECT_EQ(GetPixel(boxDc, 2, 2), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(Unit(kShapeBoxId), boxDc);
}

BOOL CALLBACK CollectTooltips(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (_wcsicmp(name, TOOLTIPS_CLASSW) == 0)
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

TEST_F(MainWindowTest, SendButtonCarriesItsTooltip) {
  std::vector<HWND> tips;
  EnumThreadWindows(GetCurrentThreadId(), CollectTooltips, reinterpret_cast<LPARAM>(&tips));
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(GetWindow(tips[0], GW_OWNER), window_->Handle());
  ASSERT_EQ(SendMessageW(tips[0], TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t text[80] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.hwnd = Unit(kShapeBoxId);
  tool.uId = reinterpret_cast<UINT_PTR>(Unit(kSendButtonId));
  tool.lpszText = text;
  SendMessageW(tips[0], TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Ctrl+Enter键可直接发送");
}

TEST_F(MainWindowTest, ButtonAndNicknameBoxRaiseTheirEvents) {
  SendMessageW(Unit(kSendButtonId), BM_CLICK, 0, 0);
  EXPECT_EQ(sends_, 1);
  SendMessageW(Unit(kShowNicknameCheckId), BM_CLICK, 0, 0);
  SendMessageW(Unit(kShowNicknameCheckId), BM_CLICK, 0, 0);
  EXPECT_EQ(nicknameStates_, (std::vector<bool>{false, true}));
  // The side box only holds its state for the next send.
  SendMessageW(Unit(kRightSideCheckId), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(Unit(kRightSideCheckId), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(sends_, 1);
  EXPECT_EQ(nicknameStates_.size(), 2u);
}

class KeyboardStateGuard {
 public:
  explicit KeyboardStateGuard(std::initializer_list<int> down) {
    GetKeyboardState(saved_);
    BYTE keys[256] = {};
    for (int key : down) keys[key] = 0x80;
    SetKeyboardState(keys);
  }
  ~KeyboardStateGuard() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

TEST_F(MainWindowTest, CtrlEnterInTheMessageBoxIsTakenBeforeTranslation) {
  const auto keyDown = [](HWND target, UINT message, WPARAM key) {
    return MSG{target, message, key, 0x001C0001, 0, {0, 0}};
  };
  HWND messageBox = Unit(kMessageBoxId);
  {
    KeyboardStateGuard ctrl({VK_CONTROL});
    EXPECT_TRUE(window_->PreTranslate(keyDown(messageBox, WM_KEYDOWN, VK_RETURN)));
    // The nickname box has no key handler.
    EXPECT_FALSE(window_->PreTranslate(keyDown(Unit(kNicknameBoxId), WM_KEYDOWN, VK_RETURN)));
  }
  EXPECT_EQ(sends_, 1);
  {
    KeyboardStateGuard none({});
    EXPECT_FALSE(window_->PreTranslate(keyDown(messageBox, WM_KEYDOWN, VK_RETURN)));
  }
  {
    KeyboardStateGuard ctrlShift({VK_CONTROL, VK_SHIFT});
    EXPECT_FALSE(window_->PreTranslate(keyDown(messageBox, WM_KEYDOWN, VK_RETURN)));
  }
  {
    KeyboardStateGuard ctrlAlt({VK_CONTROL, VK_MENU});
    EXPECT_FALSE(window_->PreTranslate(keyDown(messageBox, WM_SYSKEYDOWN, VK_RETURN)));
    EXPECT_FALSE(window_->PreTranslate(keyDown(messageBox, WM_KEYDOWN, VK_RETURN)));
  }
  EXPECT_EQ(sends_, 1);
  {
    KeyboardStateGuard alt({VK_MENU});
    EXPECT_TRUE(window_->PreTranslate(keyDown(Unit(kNicknameBoxId), WM_SYSKEYDOWN, 'S')));
  }
  EXPECT_EQ(sends_, 2);
}

// From the chat list, say, Tab enters the input area at its first control, Shift+Tab at its last.
TEST_F(MainWindowTest, TabFromOutsideTheTabOrderEntersAtEitherEnd) {
  const MSG tab{Unit(kPictureBoxId), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {0, 0}};
  {
    KeyboardStateGuard none({});
    EXPECT_TRUE(window_->PreTranslate(tab));
    EXPECT_EQ(GetFocus(), Unit(kNicknameBoxId));
  }
  {
    KeyboardStateGuard shift({VK_SHIFT});
    EXPECT_TRUE(window_->PreTranslate(tab));
    EXPECT_EQ(GetFocus(), Unit(kSendButtonId));
  }
}

TEST_F(MainWindowTest, DestroyingRaisesTheEventAndEndsTheLoop) {
  PostMessageW(window_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(window_->RunMessageLoop(), 0);
  EXPECT_EQ(destroyed_, 1);
  EXPECT_EQ(window_->Handle(), nullptr);
}

}  // namespace
}  // namespace zorli::window
