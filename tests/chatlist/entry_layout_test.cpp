// Layout arithmetic over a fake measurer: 7 pixels per byte, 14-pixel lines, wrapping at
// the box width. G = 13 centres one such line in a 40-pixel bubble.
#include "entry_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zorli {
namespace {

constexpr int32_t kG = 13;
constexpr int32_t kCharWidth = 7;
constexpr int32_t kLineHeight = 14;

struct MeasureCall {
  std::string text;
  int32_t boxWidth;
  int32_t boxHeight;
  MeasureMode mode;
};

class FakeMetrics : public LayoutMetrics {
 public:
  TextExtent MeasureText(const char* gbk, int32_t boxWidth, int32_t boxHeight,
                         MeasureMode mode) override {
    const std::string text = gbk ? gbk : "";
    calls.push_back({text, boxWidth, boxHeight, mode});
    const int32_t full = static_cast<int32_t>(text.size()) * kCharWidth;
    if (mode == MeasureMode::kSingleLine || full <= boxWidth) return {full, kLineHeight};
    const int32_t lineWidth =
        std::max(boxWidth, kCharWidth);  // a line holds one character at least
    const int32_t lines = (full + lineWidth - 1) / lineWidth;
    return {lineWidth, lines * kLineHeight};
  }
  TextExtent ImageSize(ImageHandle image) override { return images[image]; }

  std::vector<MeasureCall> calls;
  std::map<ImageHandle, TextExtent> images;
};

struct Texts {
  std::string nickname, content, title, link;
};

ChatEntry MakeEntry(EntryKind kind, Texts& texts, bool rightSide, bool showNickname = true) {
  ChatEntry entry;
  entry.kind = kind;
  entry.rightSide = rightSide;
  entry.showNickname = showNickname;
  entry.nickname = texts.nickname.data();
  entry.content = texts.content.data();
  entry.title = texts.title.data();
  entry.link = texts.link.data();
  return entry;
}

TEST(EntryLayout, LeftMessageInAListOf400Pixels) {
  FakeMetrics metrics;
  Texts texts{"me", "ab", "", ""};
  ChatEntry entry = MakeEntry(kEntryMessage, texts, false);
  LayoutEntry(entry, 400, kG, metrics);

  EXPECT_EQ(entry.layoutWidth, 400);
  EXPECT_EQ(entry.avatarRect, (EntryRect{5, 5, 45, 45}));
  EXPECT_EQ(entry.nicknameRect, (EntryRect{57, 5, 157, 25}));  // at least 100 wide, 20 high
  EXPECT_EQ(entry.bubbleRect, (EntryRect{57, 25, 117, 65}));   // 60 wide, right below the nickname
  EXPECT_EQ(entry.contentRect, (EntryRect{70, 38, 84, 52}));   // padded by G
  EXPECT_EQ(entry.height, 70);
  EXPECT_EQ(entry.pictureRect, EntryRect{});
  EXPECT_EQ(entry.titleRect, EntryRect{});

  ASSERT_EQ(metrics.calls.size(), 2u);
  EXPECT_EQ(metrics.calls[0].boxWidth, 380);  // nickname: W - 20
  EXPECT_EQ(metrics.calls[0].mode, MeasureMode::kSingleLine);
  EXPECT_EQ(metrics.calls[1].boxWidth, 400 - 110 - 2 * kG);  // widest message text
  EXPECT_EQ(metrics.calls[1].boxHeight, 1000);
  EXPECT_EQ(metrics.calls[1].mode, MeasureMode::kWrapped);
}

TEST(EntryLayout, RightMessageMirrorsTheLeftOne) {
  FakeMetrics metrics;
  Texts texts{"me", "ab", "", ""};
  ChatEntry entry = MakeEntry(kEntryMessage, texts, true);
  LayoutEntry(entry, 400, kG, metrics);
  EXPECT_EQ(entry.avatarRect, (EntryRect{355, 5, 395, 45}));
  EXPECT_EQ(entry.nicknameRect, (EntryRect{243, 5, 343, 25}));
  EXPECT_EQ(entry.bubbleRect, (EntryRect{283, 25, 343, 65}));  // ends 12 pixels left of the avatar
  EXPECT_EQ(entry.contentRect.left, 283 + kG);
}

TEST(EntryLayout, NicknameLineOnlyWhenShownAndNotEmpty) {
  FakeMetrics metrics;
  Texts hidden{"me", "ab", "", ""};
  ChatEntry entry = MakeEntry(kEntryMessage, hidden, false, false);
  LayoutEntry(entry, 400, kG, metrics);
  EXPECT_EQ(entry.nicknameRect, EntryRect{});
  EXPECT_EQ(entry.bubbleRect.top, 5);
  EXPECT_EQ(entry.height, 50);

  Texts empty{"", "ab", "", ""};
  entry = MakeEntry(kEntryMessage, empty, false, true);
  LayoutEntry(entry, 400, kG, metrics);
  EXPECT_EQ(entry.nicknameRect, EntryRect{});

  // Laying out again with the option switched off clears the old nickname line.
  Texts shown{"me", "ab", "", ""};
  entry = MakeEntry(kEntryMessage, shown, false, true);
  LayoutEntry(entry, 400, kG, metrics);
  entry.showNickname = 0;
  LayoutEntry(entry, 400, kG, metrics);
  EXPECT_EQ(entry.nicknameRect, EntryRect{});
  EXPECT_EQ(entry.bubbleRect.top, 5);
}

// The line beside the avatar ends 5 pixels inside the client area on either side; the
// painter's ellipsis then cuts the nickname between characters.
TEST(EntryLayout, WideNicknameStaysInsideTheClientArea) {
  FakeMetrics metrics;
  Texts texts{std::string(80, 'n'), "ab", "", ""};
  ChatEntry right = MakeEntry(kEntryMessage, texts, true);
  LayoutEntry(right, 400, kG, metrics);
  EXPECT_EQ(right.nicknameRect, (EntryRect{5, 5, 343, 25}));
  ChatEntry left = MakeEntry(kEntryMessage, texts, false);
  LayoutEntry(left, 400, kG, metrics);
  EXPECT_EQ(left.nicknameRect, (EntryRect{57, 5, 395, 25}));
}

TEST(EntryLayout, AViewAtTheBottomIsShiftedByTheBandUnderItsLastEntry) {
  constexpr int32_t kClientHeight = 300;
  EXPECT_EQ(BottomAnchorShift(3, 260, kClientHeight), 40);  // entries hidden above: shifted
  EXPECT_EQ(BottomAnchorShift(0, 260, kClientHeight), 0);   // every entry fits: not
  EXPECT_EQ(BottomAnchorShift(3, 300, kClientHeight), 0);   // no band
  EXPECT_EQ(BottomAnchorShift(3, 420, kClientHeight), 0);   // not scrolled to the bottom
}

TEST(EntryLayout, LongMessagesWrapAndStopGrowingAt1000Pixels) {
  FakeMetrics metrics;
  Texts texts{"", std::string(100, 'x'), "", ""};  // 700 pixels: three lines of at most 264
  ChatEntry entry = MakeEntry(kEntryMessage, texts, false);
  LayoutEntry(entry, 400, kG, metrics);
  EXPECT_EQ(entry.contentRect.Width(), 264);
  EXPECT_EQ(entry.contentRect.Height(), 3 * kLineHeight);
  EXPECT_EQ(entry.bubbleRect.Width(), 264 + 2 * kG);
  EXPECT_EQ(entry.bubbleRect.Height(), 3 * kLineHeight + 2 * kG);

  texts.content = std::string(100 * 264 / kCharWidth, 'x');  // 100 lines, 1400 pixels
  entry = MakeEntry(kEntryMessage, texts, false);
  LayoutEntry(entry, 400, kG, metrics);
  EXPECT_EQ(entry.contentRect.Height(), 1000);
  EXPECT_EQ(entry.height, 5 + 1000 + 2 * kG + 5);
  EXPECT_EQ(ItemHeightOf(entry), kMaxItemHeight);
  EXPECT_TRUE(LayoutFits(entry, 400, kMaxItemHeight));
  EXPECT_FALSE(LayoutFits(entry, 400, entry.height));
}

TEST(EntryLayout, TipsAreCentredAtLeast100WideAndCutToTheLimit) {
  FakeMetrics metrics;
  Texts texts{"me", "hi", "", ""};
  ChatEntry entry = MakeEntry(kEntryTip, texts, true, true);
  LayoutEntry(entry, 400, kG, metrics);
  EXPECT_EQ(entry.bubbleRect, (EntryRect{150, 5, 250, 35}));
  EXPECT_EQ(entry.contentRect, (EntryRect{155, 5, 245, 35}));
  EXPECT_EQ(entry.height, 40);
  EXPECT_EQ(entry.avatarRect, EntryRect{});
  EXPECT_EQ(entry.nicknameRect, EntryRect{});
  ASSERT_EQ(metrics.calls.size(), 1u);  // the nickname is never measured for a tip
  EXPECT_EQ(metrics.calls[0].boxWidth, 400 - 2 * kG - 10);
  EXPECT_EQ(metrics.calls[0].boxHeight, 100);

  texts.content = std::string(200, 't');
  entry = MakeEntry(kEntryTip, texts, false);
  LayoutEntry(entry, 400, kG, metrics);
  EXPECT_EQ(entry.bubbleRect.Width(), 364);
  EXPECT_EQ(entry.bubbleRect.left, 18);
}

TEST(EntryLayout, PicturesFitIntoTheirBoxKeepingTheAspectRatio) {
  FakeMetrics metrics;
  metrics.images[1] = {400, 300};
  metrics.images[2] = {5, 300};
  metrics.images[3] = {100, 50};
  Texts texts{"", "", "", ""};
  ChatEntry entry = MakeEntry(kEntryPicture, texts, false);

  entry.picture = 1;
  LayoutEntry(entry, 800, kG, metrics);
  EXPECT_EQ(entry.pictureRect, (EntryRect{60, 8, 260, 158}));  // 200 by 150, padded by 3
  EXPECT_EQ(entry.bubbleRect, (EntryRect{57, 5, 263, 161}));
  EXPECT_EQ(entry.contentRect, EntryRect{});

  entry.picture = 2;
  LayoutEntry(entry, 800, kG, metrics);
  EXPECT_EQ(entry.pictureRect.Width(), 10);
  EXPECT_EQ(entry.pictureRect.Height(), 10);

  LayoutEntry(entry = MakeEntry(kEntryPicture, texts, false), 300, kG, metrics);  // no picture
  EXPECT_EQ(entry.pictureRect, (EntryRect{60, 8, 60, 8}));
  EXPECT_EQ(entry.bubbleRect.Width(), 60);
  EXPECT_EQ(entry.bubbleRect.Height(), 40);

  entry.picture = 1;  // narrow list: widest 164, tallest 123
  LayoutEntry(entry, 300, kG, metrics);
  EXPECT_EQ(entry.pictureRect.Width(), 164);
  EXPECT_EQ(entry.pictureRect.Height(), 123);

  entry.picture = 3;  // small pictures keep their size
  LayoutEntry(entry, 800, kG, metrics);
  EXPECT_EQ(entry.pictureRect.Width(), 100);
  EXPECT_EQ(entry.pictureRect.Height(), 50);

  entry.picture = 4;  // size unknown
  LayoutEntry(entry, 800, kG, metrics);
  EXPECT_EQ(entry.pictureRect.Width(), 10);
}

::testing::AssertionResult HasNoNegativeBox(const ChatEntry& entry) {
  const std::pair<const char*, EntryRect> rects[] = {
      {"avatar", entry.avatarRect},     {"picture", entry.pictureRect},
      {"bubble", entry.bubbleRect},     {"content", entry.contentRect},
      {"nickname", entry.nicknameRect}, {"title", entry.titleRect}};
  for (const auto& [name, rect] : rects) {
    if (rect.Width() < 0 || rect.Height() < 0)
      return ::testing::AssertionFailure()
             << name << " is " << rect.Width() << " by " << rect.Height();
  }
  return ::testing::AssertionSuccess();
}

// A list narrower than its fixed margins leaves no room for text or pictures: every width
// from 0 and every picture size still gives boxes of no negative size, pictures of 10 by 10.
TEST(EntryLayout, NarrowListsAndOddPictureSizesGiveSaneLayouts) {
  FakeMetrics metrics;
  constexpr int32_t kHuge = std::numeric_limits<int32_t>::max();
  const TextExtent pictureSizes[] = {{300, 2},       {2, 300},  {1, 1},      {0, 0},
                                     {0, 50},        {50, 0},   {100000, 1}, {1, 100000},
                                     {kHuge, kHuge}, {kHuge, 1}};
  ImageHandle lastPicture = 0;
  for (const TextExtent& size : pictureSizes) metrics.images[++lastPicture] = size;
  Texts texts{"nickname", "words that wrap", "title", "http://x"};

  for (int32_t width = 0; width <= 300; ++width) {
    for (const EntryKind kind : {kEntryMessage, kEntryTip, kEntryCard, kEntryPicture}) {
      for (ImageHandle picture = 0; picture <= (kind == kEntryPicture ? lastPicture : 0);
           ++picture) {
        for (const bool right : {false, true}) {
          ChatEntry entry = MakeEntry(kind, texts, right);
          entry.picture = picture;
          LayoutEntry(entry, width, kG, metrics);
          ASSERT_TRUE(HasNoNegativeBox(entry))
              << "width " << width << ", kind " << kind << ", picture " << picture;
          ASSERT_EQ(entry.layoutWidth, width);
          ASSERT_GE(entry.height, 40);
          if (picture != 0) {
            ASSERT_GE(std::min(entry.pictureRect.Width(), entry.pictureRect.Height()), 10)
                << "width " << width << ", picture " << picture;
          }
        }
      }
    }
  }
  for (const MeasureCall& call : metrics.calls) ASSERT_GE(call.boxWidth, 0) << call.text;

  ChatEntry entry = MakeEntry(kEntryPicture, texts, false);
  entry.picture = 1;  // 300 by 2 at width 100: no room, so the smallest picture below the nickname
  LayoutEntry(entry, 100, kG, metrics);
  EXPECT_EQ(entry.pictureRect, (EntryRect{60, 28, 70, 38}));
}

TEST(EntryLayout, CardHasTitlePictureAndTextInside) {
  FakeMetrics metrics;
  Texts texts{"", "text", "title", "http://x"};
  ChatEntry entry = MakeEntry(kEntryCard, texts, false);
  LayoutEntry(entry, 400, kG, metrics);
  const int32_t widest = 400 - 110 - 2 * kG;
  EXPECT_EQ(entry.bubbleRect, (EntryRect{57, 5, 57 + widest + 10, 75}));
  EXPECT_EQ(entry.titleRect, (EntryRect{62, 10, 57 + widest + 5, 30}));
  EXPECT_EQ(entry.pictureRect, (EntryRect{62, 30, 102, 70}));
  EXPECT_EQ(entry.contentRect, (EntryRect{107, 30, 57 + widest + 5, 70}));
  EXPECT_EQ(entry.height, 80);
  EXPECT_TRUE(metrics.calls.empty());  // a card's text is not measured
}

TEST(EntryLayout, ResizingRewrapsMessages) {
  FakeMetrics metrics;
  Texts texts{"", std::string(60, 'x'), "", ""};  // 420 pixels
  ChatEntry entry = MakeEntry(kEntryMessage, texts, false);
  LayoutEntry(entry, 600, kG, metrics);
  EXPECT_EQ(entry.contentRect.Height(), kLineHeight);
  LayoutEntry(entry, 400, kG, metrics);
  EXPECT_EQ(entry.layoutWidth, 400);
  EXPECT_EQ(entry.contentRect.Height(), 2 * kLineHeight);
}

}  // namespace
}  // namespace zorli
