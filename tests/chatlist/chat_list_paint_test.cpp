// Painting in a real window: bubble colours reach the screen, nothing keeps repainting,
// and entries taller than a list box item are shown cut with a mark.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "chat_list_fixture.h"
#include "draw_surface.h"
#include "entry_layout.h"

namespace zorli {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0xB6, 0xDA, 0x53);
constexpr COLORREF kLightGrey = RGB(0xF3, 0xF3, 0xF3);

class ChatListPaint : public ChatListFixture {
 protected:
  COLORREF PixelAt(int32_t index, int32_t x, int32_t y) {
    const RECT item = ItemRect(index);
    HDC dc = GetDC(view.GetListWindowHandle());
    const COLORREF colour = GetPixel(dc, item.left + x, item.top + y);
    ReleaseDC(view.GetListWindowHandle(), dc);
    return colour;
  }
  bool NothingLeftToPaint() {
    RECT update{};
    return !GetUpdateRect(view.GetListWindowHandle(), &update, FALSE);
  }
};

TEST_F(ChatListPaint, BubblesAvatarsAndPointersReachTheWindow) {
  CreateList();
  view.AddMessage("Ann", 0, "left", std::nullopt, false);
  view.AddMessage("Bob", 0, "right", std::nullopt, true);
  Paint();
  EXPECT_TRUE(NothingLeftToPaint());
  const ChatEntry left = Entry(0), right = Entry(1);
  EXPECT_EQ(PixelAt(0, left.bubbleRect.left + 4, left.bubbleRect.bottom - 4), kLightGrey);
  EXPECT_EQ(PixelAt(1, right.bubbleRect.left + 4, right.bubbleRect.bottom - 4), kGreen);
  // The pointers hang from the bubble's top, outside it, on the avatar's side.
  EXPECT_NE(PixelAt(0, left.bubbleRect.left - 2, left.bubbleRect.top + 19), kWhite);
  EXPECT_EQ(PixelAt(1, right.bubbleRect.right + 3, right.bubbleRect.top + 19), kGreen);
  EXPECT_EQ(PixelAt(1, right.bubbleRect.left - 3, right.bubbleRect.top + 19), kWhite);
  // The default avatar's grey background fills the avatar's corner.
  const COLORREF avatarCorner = PixelAt(0, left.avatarRect.left + 1, left.avatarRect.top + 1);
  EXPECT_NE(avatarCorner, kWhite);
  EXPECT_EQ(GetRValue(avatarCorner), GetGValue(avatarCorner));
  // Background between the entries' parts stays white.
  EXPECT_EQ(PixelAt(0, 50, 2), kWhite);
}

TEST_F(ChatListPaint, EmptyListValidatesWithoutPainting) {
  HWND list = CreateList();
  InvalidateRect(list, nullptr, TRUE);
  Paint();
  EXPECT_TRUE(NothingLeftToPaint());
  view.AddTip("tip");
  view.Clear();
  InvalidateRect(list, nullptr, TRUE);
  Paint();
  EXPECT_TRUE(NothingLeftToPaint());
}

TEST_F(ChatListPaint, TallEntryIsCutAtTheItemHeightWithAMarkAndNoRepaintLoop) {
  CreateList(400, 500);
  std::string tall;
  for (int line = 0; line < 40; ++line) tall += "line " + std::to_string(line) + "\r\n";
  view.AddMessage("Ann", 0, tall);
  view.AddMessage("Ann", 0, "after");
  const ChatEntry entry = Entry(0);
  ASSERT_GT(entry.height, kMaxItemHeight);
  EXPECT_EQ(ItemHeight(0), kMaxItemHeight);
  EXPECT_EQ(ItemRect(1).top, kMaxItemHeight);
  EXPECT_TRUE(view.IsCut(0));
  EXPECT_FALSE(view.IsCut(1));

  Paint();
  EXPECT_TRUE(NothingLeftToPaint());
  Paint();
  EXPECT_EQ(Entry(0).layoutWidth, entry.layoutWidth);  // no re-layout while painting
  EXPECT_EQ(ItemHeight(0), kMaxItemHeight);

  // The bubble closes above the item's bottom; the cut mark sits in its last line.
  const int32_t bubbleBottom = kMaxItemHeight - 5;
  EXPECT_EQ(PixelAt(0, entry.bubbleRect.left + 4, bubbleBottom + 2), kWhite);
  EXPECT_EQ(PixelAt(0, entry.bubbleRect.left + 4, bubbleBottom - 4), kLightGrey);
  const int32_t centre = (entry.bubbleRect.left + entry.bubbleRect.right) / 2;
  bool markFound = false;
  for (int32_t y = bubbleBottom - 20; y < bubbleBottom && !markFound; ++y)
    for (int32_t x = centre - 15; x <= centre + 15 && !markFound; ++x) {
      const COLORREF colour = PixelAt(0, x, y);
      markFound = colour != kLightGrey && colour != kWhite;
    }
  EXPECT_TRUE(markFound);
}

// The item surface is kept between items; an empty item first must not leave every later
// one in black and white.
TEST(DrawSurface, KeepsTheReferenceColourFormatAfterAnEmptySize) {
  HDC screen = GetDC(nullptr);
  const int screenBits = GetDeviceCaps(screen, BITSPIXEL);
  DrawSurface surface;
  ASSERT_TRUE(surface.Prepare(screen, 0, 0));
  ASSERT_TRUE(surface.Prepare(screen, 30, 20));
  ReleaseDC(nullptr, screen);
  BITMAP bitmap{};
  ASSERT_NE(GetObjectW(GetCurrentObject(surface.Dc(), OBJ_BITMAP), sizeof bitmap, &bitmap), 0);
  EXPECT_EQ(bitmap.bmWidth, 30);
  EXPECT_EQ(bitmap.bmHeight, 20);
  EXPECT_EQ(bitmap.bmBitsPixel, screenBits);
  surface.Fill(RGB(0xB6, 0xDA, 0x53));
  EXPECT_EQ(GetPixel(surface.Dc(), 5, 5), RGB(0xB6, 0xDA, 0x53));
}

}  // namespace
}  // namespace zorli
