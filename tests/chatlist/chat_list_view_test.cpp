// The control's windows and entry operations, in real windows under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chat_list_fixture.h"
#include "chat_list_mouse.h"
#include "chat_list_resources.h"
#include "chat_list_windows.h"
#include "entry_layout.h"
#include "gdi_layout_metrics.h"

namespace zorli {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

using ChatListCreation = ChatListFixture;

TEST_F(ChatListCreation, MakesAFrameWithTheListBoxInside) {
  EXPECT_FALSE(view.IsCreated());
  EXPECT_EQ(view.GetWindowHandle(), nullptr);
  ASSERT_TRUE(view.Create(parent, 10, 20, 400, 300));
  HWND frame = view.GetWindowHandle();
  HWND list = view.GetListWindowHandle();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(ClassOf(frame), L"QuarnPopChatFrame");
  EXPECT_EQ(ClassOf(list), L"QuarnPopChat");
  EXPECT_EQ(GetParent(frame), parent);
  EXPECT_EQ(GetParent(list), frame);
  EXPECT_TRUE(IsWindowVisible(frame));
  const LONG style = GetWindowLongW(list, GWL_STYLE);
  EXPECT_TRUE(style & LBS_OWNERDRAWVARIABLE);
  EXPECT_TRUE(style & LBS_NOINTEGRALHEIGHT);
  EXPECT_EQ(view.GetLeft(), 10);
  EXPECT_EQ(view.GetTop(), 20);
  EXPECT_EQ(view.GetWidth(), 400);
  EXPECT_EQ(view.GetHeight(), 300);
  EXPECT_EQ(view.GetCount(), 0);

  // A live control refuses a second Create and keeps its windows.
  EXPECT_FALSE(view.Create(parent, 0, 0, 100, 100));
  EXPECT_EQ(view.GetWindowHandle(), frame);

  view.Destroy();
  EXPECT_FALSE(view.IsCreated());
  EXPECT_EQ(view.GetWindowHandle(), nullptr);
  EXPECT_TRUE(view.Create(parent, 0, 0, 200, 100));
  EXPECT_EQ(view.GetWidth(), 200);
}

TEST_F(ChatListCreation, RefusesBadParentsAndClampsNegativeSizes) {
  EXPECT_FALSE(view.Create(nullptr, 0, 0, 100, 100));
  EXPECT_FALSE(view.Create(reinterpret_cast<HWND>(0x7FFF0), 0, 0, 100, 100));
  EXPECT_FALSE(view.IsCreated());
  ASSERT_TRUE(view.Create(parent, 0, 0, -5, -7));
  EXPECT_EQ(view.GetWidth(), 0);
  EXPECT_EQ(view.GetHeight(), 0);
}

HHOOK vetoHook = nullptr;
LRESULT CALLBACK VetoListBoxCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && ClassOf(reinterpret_cast<HWND>(wParam)) == L"QuarnPopChat")
    return 1;
  return CallNextHookEx(vetoHook, code, wParam, lParam);
}

TEST_F(ChatListCreation, LeavesNoFrameWhenTheListBoxCannotBeMade) {
  vetoHook = SetWindowsHookExW(WH_CBT, VetoListBoxCreation, nullptr, GetCurrentThreadId());
  ASSERT_NE(vetoHook, nullptr);
  const bool created = view.Create(parent, 0, 0, 100, 100);
  UnhookWindowsHookEx(vetoHook);
  EXPECT_FALSE(created);
  EXPECT_EQ(view.GetWindowHandle(), nullptr);
  EXPECT_EQ(FindWindowExW(parent, nullptr, L"QuarnPopChatFrame", nullptr), nullptr);
  EXPECT_TRUE(view.Create(parent, 0, 0, 100, 100));  // nothing left over blocks a retry
}

TEST_F(ChatListCreation, AppliesTheBorderStyleToBothWindows) {
  struct Case {
    int32_t border;
    DWORD exStyle;
    DWORD style;
  };
  for (const Case& c :
       {Case{1, WS_EX_CLIENTEDGE, 0}, Case{2, WS_EX_DLGMODALFRAME, 0}, Case{3, WS_EX_STATICEDGE, 0},
        Case{4, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 0}, Case{5, 0, WS_BORDER}, Case{9, 0, 0}}) {
    ChatListView bordered;
    ASSERT_TRUE(bordered.Create(parent, 0, 0, 200, 200, c.border));
    const DWORD edges = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
    EXPECT_EQ(GetWindowLongW(bordered.GetWindowHandle(), GWL_EXSTYLE) & edges, c.exStyle)
        << c.border;
    EXPECT_EQ(GetWindowLongW(bordered.GetListWindowHandle(), GWL_EXSTYLE) & edges, c.exStyle)
        << c.border;
    EXPECT_EQ(GetWindowLongW(bordered.GetWindowHandle(), GWL_STYLE) & WS_BORDER, c.style)
        << c.border;
    bordered.Destroy();
  }
}

using ChatListEntries = ChatListFixture;

TEST_F(ChatListEntries, EveryKindOnBothSidesIsStoredWithItsLayout) {
  HWND list = CreateList();
  const ImageHandle avatar = Resources().defaultAvatar.Handle();
  EXPECT_EQ(view.AddMessage("Ann", avatar, "\xC4\xE3\xBA\xC3 hello", std::nullopt, false, 11), 0);
  EXPECT_EQ(view.AddMessage("Bob", 0, "right side", std::nullopt, true, 12), 1);
  EXPECT_EQ(view.AddTip("tip line", 13), 2);
  EXPECT_EQ(view.AddCard("Ann", avatar, "Title", 0, "card text", "http://example.com/", false, 14),
            3);
  EXPECT_EQ(view.AddCard("Bob", 0, "Title", avatar, "", "http://example.com/b", true), 4);
  EXPECT_EQ(view.AddPicture("Ann", avatar, avatar, false, 16), 5);
  EXPECT_EQ(view.AddPicture("Bob", 0, avatar, true), 6);
  ASSERT_EQ(view.GetCount(), 7);

  const int32_t width = ClientWidth();
  GdiLayoutMetrics metrics(Resources().measuringSurface.Dc());
  for (int32_t index = 0; index < 7; ++index) {
    SCOPED_TRACE(index);
    const ChatEntry stored = Entry(index);
    ChatEntry expected = stored;
    LayoutEntry(expected, width, VerticalTextPadding(), metrics);
    EXPECT_EQ(stored.layoutWidth, width);
    EXPECT_EQ(stored.height, expected.height);
    EXPECT_EQ(stored.avatarRect, expected.avatarRect);
    EXPECT_EQ(stored.nicknameRect, expected.nicknameRect);
    EXPECT_EQ(stored.bubbleRect, expected.bubbleRect);
    EXPECT_EQ(stored.contentRect, expected.contentRect);
    EXPECT_EQ(stored.pictureRect, expected.pictureRect);
    EXPECT_EQ(stored.titleRect, expected.titleRect);
    EXPECT_EQ(ItemHeight(index), stored.height);
    EXPECT_EQ(GetWindowTextLengthW(list), 0);
  }

  EXPECT_EQ(Entry(0).kind, kEntryMessage);
  EXPECT_EQ(Entry(0).avatarRect, (EntryRect{5, 5, 45, 45}));
  EXPECT_EQ(Entry(1).avatarRect, (EntryRect{width - 45, 5, width - 5, 45}));
  EXPECT_EQ(Entry(1).bubbleRect.right, width - 57);
  EXPECT_EQ(Entry(2).kind, kEntryTip);
  EXPECT_EQ(Entry(3).kind, kEntryCard);
  EXPECT_EQ(Entry(5).kind, kEntryPicture);
  EXPECT_EQ(Entry(5).pictureRect.Width(), 40);  // a 40 by 40 picture keeps its size
  EXPECT_EQ(Entry(0).avatar, avatar);
  EXPECT_EQ(Entry(4).picture, avatar);

  EXPECT_EQ(view.GetTag(0), 11);
  EXPECT_EQ(view.GetTag(2), 13);
  EXPECT_EQ(view.GetTag(6), 0);
  EXPECT_EQ(view.GetNickname(1), "Bob");
  EXPECT_EQ(view.GetContent(0), "\xC4\xE3\xBA\xC3 hello");
  EXPECT_EQ(view.GetTitle(3), "Title");
  EXPECT_EQ(view.GetLink(3), "http://example.com/");
  EXPECT_EQ(view.GetContent(4), "http://example.com/b");  // an empty card text shows the link
  EXPECT_EQ(view.GetContent(5), "");
  EXPECT_EQ(view.GetNickname(99), "");
  EXPECT_EQ(view.GetTag(-1), 0);
  ChatEntry missing;
  EXPECT_FALSE(view.GetEntry(7, missing));
}

TEST_F(ChatListEntries, BubbleStylesDefaultBySideAndFallBackToZero) {
  CreateList();
  view.AddMessage("a", 0, "left");
  view.AddMessage("a", 0, "right", std::nullopt, true);
  view.AddMessage("a", 0, "given", 2, true);
  view.AddMessage("a", 0, "negative", -1);
  view.AddMessage("a", 0, "too big", BubbleStyleCount());
  view.AddCard("a", 0, "t", 0, "c", "", false);
  view.AddCard("a", 0, "t", 0, "c", "", true);
  view.AddPicture("a", 0, 0, true);
  view.AddTip("tip");
  const int32_t expected[] = {0, 1, 2, 0, 0, 0, 2, 2, 0};
  for (int32_t index = 0; index < 9; ++index)
    EXPECT_EQ(Entry(index).bubbleStyle, expected[index]) << index;
}

TEST_F(ChatListEntries, TipsIgnoreTheNicknameOption) {
  CreateList(400, 500, true);
  view.AddTip("tip");
  const ChatEntry tip = Entry(0);
  EXPECT_EQ(tip.showNickname, 0);
  EXPECT_EQ(tip.rightSide, 0);
  EXPECT_EQ(tip.nickname, nullptr);
  EXPECT_EQ(tip.avatarRect, EntryRect{});
  EXPECT_EQ(tip.nicknameRect, EntryRect{});
}

TEST_F(ChatListEntries, SetShowNicknameMarksChangedEntriesAndPaintingLaysThemOut) {
  CreateList(400, 500, true);
  view.AddMessage("Ann", 0, "one");
  view.AddTip("tip");
  EXPECT_EQ(Entry(0).showNickname, 1);
  const int32_t width = ClientWidth();

  view.SetShowNickname(true);  // the message already shows nicknames: untouched
  EXPECT_EQ(Entry(0).layoutWidth, width);
  EXPECT_EQ(Entry(1).showNickname, 1);  // the tip's flag differed; its layout ignores it
  EXPECT_EQ(Entry(1).layoutWidth, 0);

  view.SetShowNickname(false);
  EXPECT_EQ(Entry(0).showNickname, 0);
  EXPECT_EQ(Entry(0).layoutWidth, 0);
  EXPECT_EQ(Entry(0).height, 0);
  view.AddMessage("Bob", 0, "two");
  EXPECT_EQ(Entry(2).showNickname, 0);

  Paint();
  const ChatEntry relaid = Entry(0);
  EXPECT_EQ(relaid.layoutWidth, width);
  EXPECT_EQ(relaid.nicknameRect, EntryRect{});
  EXPECT_EQ(relaid.bubbleRect.top, 5);
  EXPECT_EQ(ItemHeight(0), relaid.height);
  EXPECT_EQ(Entry(1).layoutWidth, width);
}

TEST_F(ChatListEntries, RemoveEntryMovesLaterEntriesDownAndClearEmpties) {
  CreateList();
  view.AddMessage("a", 0, "zero");
  view.AddMessage("a", 0, "one");
  view.AddMessage("a", 0, "two");
  view.RemoveEntry(0);
  ASSERT_EQ(view.GetCount(), 2);
  EXPECT_EQ(view.GetContent(0), "one");
  EXPECT_EQ(view.GetContent(1), "two");
  view.RemoveEntry(5);  // no such entry
  EXPECT_EQ(view.GetCount(), 2);
  view.Clear();
  EXPECT_EQ(view.GetCount(), 0);
  EXPECT_EQ(view.AddMessage("a", 0, "again"), 0);
}

// Every entry's storage is released exactly once, whichever way it leaves the list.
std::vector<ULONG_PTR> deletedItems;
WNDPROC frameProcedure = nullptr;
LRESULT CALLBACK RecordDeletedItems(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DELETEITEM)
    deletedItems.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->itemData);
  return CallWindowProcW(frameProcedure, frame, message, wParam, lParam);
}

TEST_F(ChatListEntries, RemoveClearAndDestroyReleaseEachEntryOnce) {
  HWND list = CreateList();
  frameProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      view.GetWindowHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordDeletedItems)));
  deletedItems.clear();
  auto blockOf = [&](int32_t index) {
    return static_cast<ULONG_PTR>(SendMessageW(list, LB_GETITEMDATA, index, 0));
  };
  for (int i = 0; i < 5; ++i) view.AddCard("n", 0, "t", 0, "c", "l");
  const ULONG_PTR blocks[5] = {blockOf(0), blockOf(1), blockOf(2), blockOf(3), blockOf(4)};
  view.RemoveEntry(1);
  EXPECT_EQ(deletedItems, std::vector<ULONG_PTR>{blocks[1]});
  view.Clear();
  ASSERT_EQ(deletedItems.size(), 5u);
  std::vector<ULONG_PTR> cleared(deletedItems.begin() + 1, deletedItems.end());
  std::sort(cleared.begin(), cleared.end());
  std::vector<ULONG_PTR> remaining{blocks[0], blocks[2], blocks[3], blocks[4]};
  std::sort(remaining.begin(), remaining.end());
  EXPECT_EQ(cleared, remaining);
  view.AddMessage("n", 0, "c");
  const ULONG_PTR last = blockOf(0);
  view.Destroy();
  ASSERT_EQ(deletedItems.size(), 6u);
  EXPECT_EQ(deletedItems.back(), last);
}

TEST_F(ChatListEntries, ResizingLaysOutEveryEntryAgain) {
  CreateList(400, 300);
  const std::string longText(120, 'w');
  view.AddMessage("a", 0, longText);
  view.AddTip("tip");
  const ChatEntry before = Entry(0);
  view.Move(std::nullopt, std::nullopt, 250, 300);
  EXPECT_EQ(view.GetWidth(), 250);
  const int32_t width = ClientWidth();
  EXPECT_EQ(Entry(0).layoutWidth, width);
  EXPECT_EQ(Entry(1).layoutWidth, width);
  EXPECT_GT(Entry(0).contentRect.Height(), before.contentRect.Height());
  EXPECT_EQ(ItemHeight(0), Entry(0).height);
}

// A list narrower than the entries' fixed margins: a flat picture is laid out on adding and
// on shrinking, down to no width at all.
TEST_F(ChatListEntries, NarrowListsLayOutFlatPictures) {
  Gdiplus::GpBitmap* flat = nullptr;
  ASSERT_EQ(gdip::GdipCreateBitmapFromScan0(300, 2, 0, PixelFormat32bppARGB, nullptr, &flat),
            Gdiplus::Ok);
  const auto picture = reinterpret_cast<ImageHandle>(static_cast<GpImage*>(flat));
  CreateList(400, 300);
  view.AddPicture("a", 0, picture);
  for (const int32_t width : {100, 0}) {
    view.Move(std::nullopt, std::nullopt, width, 300);
    EXPECT_EQ(Entry(0).layoutWidth, ClientWidth());
    EXPECT_EQ(Entry(0).pictureRect.Width(), 10);
  }
  view.Move(std::nullopt, std::nullopt, 100, 300);
  EXPECT_EQ(view.AddPicture("a", 0, picture), 1);
  EXPECT_EQ(Entry(1).pictureRect.Height(), 10);
  Paint();
  view.Destroy();
  gdip::GdipDisposeImage(flat);
}

TEST_F(ChatListEntries, ScrollToBottomShowsTheLastEntry) {
  HWND list = CreateList(400, 200);
  for (int i = 0; i < 20; ++i) view.AddMessage("a", 0, "message");
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
  view.ScrollToBottom();
  EXPECT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 15);
}

TEST_F(ChatListEntries, OperationsWithoutWindowsDoNothing) {
  EXPECT_LT(view.AddMessage("a", 0, "no window"), 0);
  EXPECT_EQ(view.GetCount(), 0);
  EXPECT_EQ(view.GetContent(0), "");
}

// Whole items can leave a band under the last entry of a list scrolled to the bottom; the
// view is drawn lower instead, so the point just above the list's bottom is the last entry,
// after scrolling and after the nickname lines are hidden.
TEST_F(ChatListEntries, TheLastEntryEndsAtTheBottomOfAFullList) {
  constexpr int kListHeight = 300;
  HWND list = CreateList(400, kListHeight);
  const GbkText tall = "a\r\nb\r\nc\r\nd\r\ne";
  for (int i = 0; i < 8; ++i) view.AddMessage("n", 0, i % 2 ? GbkText("a") : tall);
  const int32_t last = view.GetCount() - 1;
  const auto expectLastAtBottom = [&] {
    view.ScrollToBottom();
    UpdateWindow(list);
    RECT client{}, item{};
    GetClientRect(list, &client);
    SendMessageW(list, LB_GETITEMRECT, last, reinterpret_cast<LPARAM>(&item));
    ASSERT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0) << "the entries fit in the list";
    ASSERT_LT(item.bottom, client.bottom) << "whole items fill the list: another mix needed";
    EXPECT_EQ(ViewShift(list), client.bottom - item.bottom);
    EXPECT_EQ(HitTestEntry(list, POINT{200, client.bottom - 2}).index, last);
  };
  expectLastAtBottom();
  view.SetShowNickname(false);
  PumpMessages();
  expectLastAtBottom();
}

// Adding an entry repaints its own item, not the whole list, and nothing when it is below
// the visible items.
TEST_F(ChatListEntries, AddingAnEntryRepaintsOnlyItsItem) {
  HWND list = CreateList(400, 300);
  view.AddMessage("n", 0, "a");
  UpdateWindow(list);
  const int32_t second = view.AddMessage("n", 0, "b");
  RECT update{}, item{};
  ASSERT_TRUE(GetUpdateRect(list, &update, FALSE));
  SendMessageW(list, LB_GETITEMRECT, second, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(EqualRect(&update, &item)) << update.top << " to " << update.bottom;
  for (int i = 0; i < 20; ++i) view.AddMessage("n", 0, "c");
  UpdateWindow(list);
  view.AddMessage("n", 0, "d");
  EXPECT_FALSE(GetUpdateRect(list, nullptr, FALSE));
}

}  // namespace
}  // namespace zorli
