// Hit testing, cursors, click events and card links, driven by real mouse messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat_list_fixture.h"
#include "chat_list_windows.h"

namespace zorli {
namespace {

class ChatListMouse : public ChatListFixture {
 protected:
  // A handler keeping the indices of its clicks in clicks, and every click in allClicks.
  ChatListHandler Recorder(std::vector<int32_t>& clicks) {
    return [this, &clicks](const ChatListClick& click) {
      clicks.push_back(click.index);
      allClicks.push_back(click);
    };
  }

  void SetUp() override {
    ChatListFixture::SetUp();
    SetChatListLinkOpener([this](HWND owner, const GbkText& link) {
      EXPECT_EQ(owner, view.GetListWindowHandle());
      openedLinks.push_back(link);
    });
    list = CreateList(400, 500, true);
    view.OnClickFace(Recorder(faceClicks));
    view.OnClickNickname(Recorder(nicknameClicks));
    view.OnClickContent(Recorder(contentClicks));
    view.AddMessage("Ann", 0, "hello");                                       // 0
    view.AddTip("tip");                                                       // 1
    view.AddCard("Bob", 0, "Title", 0, "text", "http://example.com/", true);  // 2
    view.AddMessage("Bob", 0, "right", std::nullopt, true);                   // 3
    Paint();
  }
  void TearDown() override {
    SetChatListLinkOpener(nullptr);
    ChatListFixture::TearDown();
  }

  // A point of the list box inside the given rectangle of an entry.
  // Where the part shows: a list scrolled to the bottom may be drawn lower than its items.
  POINT PointIn(int32_t index, const EntryRect& part) const {
    const RECT item = ItemRect(index);
    return POINT{item.left + (part.left + part.right) / 2,
                 item.top + ViewShift(list) + (part.top + part.bottom) / 2};
  }
  static LPARAM Pack(POINT point) { return MAKELPARAM(point.x, point.y); }
  void Press(POINT point) { SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, Pack(point)); }
  void Release(POINT point) { SendMessageW(list, WM_LBUTTONUP, 0, Pack(point)); }
  void Click(POINT point) {
    Press(point);
    Release(point);
    PumpMessages();
  }
  uint32_t PressValue() const {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetPropA(list, "QuarnPopDownItem")));
  }

  HWND list = nullptr;
  std::vector<GbkText> openedLinks;
  std::vector<int32_t> faceClicks, nicknameClicks, contentClicks;
  std::vector<ChatListClick> allClicks;
};

TEST_F(ChatListMouse, EachPartRaisesItsEventAfterTheButtonMessage) {
  const ChatEntry first = Entry(0);
  Press(PointIn(0, first.avatarRect));
  EXPECT_EQ(PressValue(), 0u | (1u << 16));
  Release(PointIn(0, first.avatarRect));
  EXPECT_EQ(PressValue(), 0xFFFFu);
  EXPECT_TRUE(faceClicks.empty());  // posted, not yet dispatched
  PumpMessages();
  EXPECT_EQ(faceClicks, std::vector<int32_t>{0});

  Click(PointIn(0, first.nicknameRect));
  EXPECT_EQ(nicknameClicks, std::vector<int32_t>{0});
  Click(PointIn(0, first.bubbleRect));
  Click(PointIn(1, Entry(1).bubbleRect));  // a tip's bubble counts as content
  Click(PointIn(3, Entry(3).bubbleRect));
  EXPECT_EQ(contentClicks, (std::vector<int32_t>{0, 1, 3}));
  Click(PointIn(3, Entry(3).avatarRect));
  EXPECT_EQ(faceClicks, (std::vector<int32_t>{0, 3}));
}

// The list box class has CS_DBLCLKS, so the second of two quick clicks brings
// WM_LBUTTONDBLCLK in place of WM_LBUTTONDOWN: both clicks count, and then the double-click.
TEST_F(ChatListMouse, BothClicksOfADoubleClickRaiseTheirEventThenTheDoubleClick) {
  std::vector<int32_t> doubleClicks;
  view.OnDoubleClick([&](const ChatListClick& click) {
    EXPECT_EQ(faceClicks.size(), 2u) << "after the second click's event";
    EXPECT_EQ(click.part, kHitAvatar);
    doubleClicks.push_back(click.index);
  });
  const POINT avatar = PointIn(0, Entry(0).avatarRect);
  Click(avatar);
  EXPECT_TRUE(doubleClicks.empty());
  SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, Pack(avatar));
  EXPECT_EQ(PressValue(), 0u | (1u << 16));
  Release(avatar);
  PumpMessages();
  EXPECT_EQ(faceClicks, (std::vector<int32_t>{0, 0}));
  EXPECT_EQ(doubleClicks, std::vector<int32_t>{0});
  Click(avatar);  // a third, slow click is a click again
  EXPECT_EQ(doubleClicks, std::vector<int32_t>{0});
}

TEST_F(ChatListMouse, PressesOnNoPartRaiseNothing) {
  const ChatEntry first = Entry(0);
  const RECT item = ItemRect(0);
  Click(POINT{item.left + 50, item.top + first.bubbleRect.top + 10});  // between avatar and bubble
  Click(POINT{item.left + 350, item.top + 10});                        // empty right half
  const RECT last = ItemRect(3);
  Click(POINT{10, last.bottom + 20});     // below the last entry
  Release(PointIn(0, first.avatarRect));  // a release without a press
  PumpMessages();
  EXPECT_TRUE(faceClicks.empty());
  EXPECT_TRUE(nicknameClicks.empty());
  EXPECT_TRUE(contentClicks.empty());
}

TEST_F(ChatListMouse, ThePressDecidesEntryAndPart) {
  Press(PointIn(0, Entry(0).avatarRect));
  Release(PointIn(3, Entry(3).bubbleRect));
  PumpMessages();
  EXPECT_EQ(faceClicks, std::vector<int32_t>{0});
  EXPECT_TRUE(contentClicks.empty());
}

TEST_F(ChatListMouse, ClicksCarryTheEntryThePartAndThePressOnTheScreen) {
  const POINT pressed = PointIn(3, Entry(3).nicknameRect);
  Press(pressed);
  Release(PointIn(0, Entry(0).bubbleRect));
  PumpMessages();
  ASSERT_EQ(allClicks.size(), 1u);
  POINT onScreen = pressed;
  ClientToScreen(list, &onScreen);
  EXPECT_EQ(allClicks[0].index, 3);
  EXPECT_EQ(allClicks[0].part, kHitNickname);
  EXPECT_EQ(allClicks[0].screenPoint.x, onScreen.x);
  EXPECT_EQ(allClicks[0].screenPoint.y, onScreen.y);
  // Set handlers are named by the list box's properties, as other programs read them.
  EXPECT_NE(GetPropA(list, "Event.ClickNnickName"), nullptr);
  view.OnClickNickname(nullptr);
  EXPECT_EQ(GetPropA(list, "Event.ClickNnickName"), nullptr);
}

TEST_F(ChatListMouse, RightButtonNamesTheEntryUnderItOrNone) {
  std::vector<ChatListClick> rightClicks;
  view.OnRightClick([&](const ChatListClick& click) { rightClicks.push_back(click); });
  const auto rightClickAt = [&](POINT point) {
    SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, Pack(point));
    SendMessageW(list, WM_RBUTTONUP, 0, Pack(point));
    PumpMessages();
    ClientToScreen(list, &point);
    return point;
  };
  const POINT onBubble = rightClickAt(PointIn(3, Entry(3).bubbleRect));
  const POINT below = rightClickAt(POINT{10, ItemRect(3).bottom + 20});
  ASSERT_EQ(rightClicks.size(), 2u);
  EXPECT_EQ(rightClicks[0].index, 3);
  EXPECT_EQ(rightClicks[0].part, kHitBubble);
  EXPECT_EQ(rightClicks[0].screenPoint.x, onBubble.x);
  EXPECT_EQ(rightClicks[0].screenPoint.y, onBubble.y);
  EXPECT_EQ(rightClicks[1].index, -1);
  EXPECT_EQ(rightClicks[1].screenPoint.y, below.y);
  EXPECT_TRUE(allClicks.empty());  // no click event of the left button
}

TEST_F(ChatListMouse, CardLinkGoesToTheShellInsteadOfTheContentEvent) {
  Click(PointIn(2, Entry(2).bubbleRect));
  EXPECT_EQ(openedLinks, std::vector<GbkText>{"http://example.com/"});
  EXPECT_TRUE(contentClicks.empty());
  view.OnClickContent(nullptr);  // the link opens without a handler too
  Click(PointIn(2, Entry(2).bubbleRect));
  EXPECT_EQ(openedLinks.size(), 2u);
  Click(PointIn(2, Entry(2).avatarRect));
  EXPECT_EQ(faceClicks, std::vector<int32_t>{2});
}

TEST_F(ChatListMouse, MissingHandlersRaiseNothing) {
  view.OnClickFace(nullptr);
  view.OnClickNickname(nullptr);
  view.OnClickContent(nullptr);
  Click(PointIn(0, Entry(0).avatarRect));
  Click(PointIn(0, Entry(0).bubbleRect));
  EXPECT_TRUE(faceClicks.empty());
  EXPECT_TRUE(contentClicks.empty());
}

TEST_F(ChatListMouse, HandCursorOnlyOverACardBubble) {
  const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  EXPECT_EQ(GetPropA(list, "QuarnCorsor"), nullptr);
  SendMessageW(list, WM_SETCURSOR, reinterpret_cast<WPARAM>(list),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), arrow);  // not hidden before the first move
  auto moveTo = [&](POINT point) {
    SendMessageW(list, WM_MOUSEMOVE, 0, Pack(point));
    return static_cast<HCURSOR>(GetPropA(list, "QuarnCorsor"));
  };
  EXPECT_EQ(moveTo(PointIn(2, Entry(2).bubbleRect)), hand);
  EXPECT_EQ(moveTo(PointIn(2, Entry(2).avatarRect)), arrow);
  EXPECT_EQ(moveTo(PointIn(0, Entry(0).bubbleRect)), arrow);
  EXPECT_EQ(moveTo(POINT{10, ItemRect(3).bottom + 20}), arrow);
  EXPECT_EQ(moveTo(PointIn(2, Entry(2).bubbleRect)), hand);
  EXPECT_EQ(SendMessageW(list, WM_SETCURSOR, reinterpret_cast<WPARAM>(list),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            TRUE);
  EXPECT_EQ(GetCursor(), hand);
}

TEST_F(ChatListMouse, ClicksFollowEntriesAfterScrolling) {
  for (int i = 0; i < 30; ++i) view.AddMessage("Ann", 0, "more");
  view.ScrollToBottom();
  Paint();
  const int32_t last = view.GetCount() - 1;
  Click(PointIn(last, Entry(last).avatarRect));
  EXPECT_EQ(faceClicks, std::vector<int32_t>{last});
}

// The press value keeps 16 bits of index; clicks further down still name the right entry.
TEST_F(ChatListMouse, ClicksReachEntriesPastIndex65535) {
  view.Hide();  // a hidden list adds fast: no scroll bar to redraw after every entry
  for (int i = 0; i < 66000; ++i) view.AddTip("tip");
  view.Show();
  view.ScrollToBottom();
  Paint();
  const int32_t last = view.GetCount() - 1;
  ASSERT_GT(last, 0xFFFF);
  Press(PointIn(last, Entry(last).bubbleRect));
  EXPECT_EQ(PressValue(), (static_cast<uint32_t>(last) & 0xFFFF) | (3u << 16));
  Release(PointIn(last, Entry(last).bubbleRect));
  PumpMessages();
  EXPECT_EQ(contentClicks, std::vector<int32_t>{last});
}

}  // namespace
}  // namespace zorli
