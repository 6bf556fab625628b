// The shared resources: pictures, bubble styles and text measuring as GBK text.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "chat_list_fixture.h"
#include "chat_list_resources.h"
#include "embedded_images.h"
#include "gdi_layout_metrics.h"
#include "picture.h"

namespace zorli {
namespace {

using SharedResources = ChatListFixture;

TEST_F(SharedResources, BuiltInPicturesDecodeWithTheirSizes) {
  ChatListResources& r = Resources();
  ASSERT_EQ(BubbleStyleCount(), 3);
  for (const BubbleStyle* style :
       {&r.tipStyle, &r.bubbleStyles[0], &r.bubbleStyles[1], &r.bubbleStyles[2]}) {
    EXPECT_NE(style->picture.Handle(), 0u);
    EXPECT_EQ(style->width, 80);
    EXPECT_EQ(style->height, 40);
    EXPECT_EQ(style->body.Width, 60.0f);
    EXPECT_EQ(style->body.Height, 40.0f);
    EXPECT_EQ(style->inner.left, 20);
    EXPECT_EQ(style->inner.top, 10);
    EXPECT_EQ(style->inner.right, 40);
    EXPECT_EQ(style->inner.bottom, 30);
  }
  EXPECT_EQ(r.tipStyle.textColour, 0xFFFFFFu);
  EXPECT_EQ(r.bubbleStyles[1].textColour, 0u);
  EXPECT_EQ(r.defaultAvatar.Width(), 40);
  EXPECT_EQ(r.defaultCardPicture.Height(), 40);
  EXPECT_EQ(StyleForIndex(7), &r.bubbleStyles[0]);
  EXPECT_EQ(StyleForIndex(2), &r.bubbleStyles[2]);
}

TEST_F(SharedResources, BadPictureBytesLeaveThingsEmpty) {
  Picture picture;
  ASSERT_TRUE(picture.LoadFromBytes(embedded::kDefaultCardJpg, embedded::kDefaultCardJpgSize));
  EXPECT_FALSE(
      picture.LoadFromBytes(embedded::kDefaultCardJpg, 4));  // also releases the old picture
  EXPECT_EQ(picture.Handle(), 0u);
  EXPECT_EQ(picture.Width(), 0);
  const std::string garbage(100, 'x');
  EXPECT_FALSE(picture.LoadFromBytes(garbage.data(), garbage.size()));
  EXPECT_EQ(AddBubbleStyle(garbage.data(), garbage.size(), 0), -1);
  EXPECT_EQ(BubbleStyleCount(), 3);
  EXPECT_FALSE(picture.LoadFromFile(""));
  EXPECT_FALSE(picture.LoadFromFile("no such file.png"));
}

// Wide measuring of GBK text converted with code page 936 must give what the ANSI calls
// give on a Chinese system.
TEST_F(SharedResources, MeasuringMatchesTheAnsiCallsOnAChineseSystem) {
  if (GetACP() != 936) GTEST_SKIP() << "needs the Chinese ANSI code page";
  HDC dc = Resources().measuringSurface.Dc();
  GdiLayoutMetrics metrics(dc);
  const std::string sample = "\xC4\xE3\xBA\xC3";
  RECT line{0, 0, 500, 100};
  DrawTextA(dc, sample.c_str(), -1, &line, kMeasureWrappedFlags);
  EXPECT_EQ(VerticalTextPadding(), (40 - line.bottom) / 2);
  EXPECT_GT(line.bottom, 0);

  const std::string texts[] = {
      "plain words that will wrap somewhere along the way, again and again",
      "\xD5\xE2\xCA\xC7\xD2\xBB\xB6\xCE\xBA\xDC\xB3\xA4\xB5\xC4\xD6\xD0\xCE\xC4\xA3\xAC mixed with "
      "Latin words",
      "two\r\nlines", "&no prefix", ""};
  for (const std::string& text : texts) {
    for (const MeasureMode mode : {MeasureMode::kWrapped, MeasureMode::kSingleLine}) {
      RECT ansi{0, 0, 120, 1000};
      DrawTextA(dc, text.c_str(), -1, &ansi,
                mode == MeasureMode::kWrapped ? kMeasureWrappedFlags : kMeasureSingleLineFlags);
      const TextExtent wide = metrics.MeasureText(text.c_str(), 120, 1000, mode);
      EXPECT_EQ(wide.width, ansi.right) << text;
      EXPECT_EQ(wide.height, ansi.bottom) << text;
    }
  }
}

}  // namespace
}  // namespace zorli
