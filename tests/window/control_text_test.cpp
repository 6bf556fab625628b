// GBK texts go into and come out of real Unicode edit controls unchanged.
#include <windows.h>
#include <gtest/gtest.h>

#include "control_text.h"

namespace zorli::window {
namespace {

class ControlTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit_, nullptr);
    ASSERT_TRUE(IsWindowUnicode(edit_));
  }
  void TearDown() override { DestroyWindow(edit_); }
  HWND edit_ = nullptr;
};

TEST_F(ControlTextTest, ChineseTextRoundTripsThroughTheControlAsUtf16) {
  // "你好，Zorli\r\n再见"
  const GbkText text = "\xC4\xE3\xBA\xC3\xA3\xAC"
                       "Zorli\r\n"
                       "\xD4\xD9\xBC\xFB";
  WriteControlText(edit_, text);
  wchar_t wide[64] = {};
  GetWindowTextW(edit_, wide, 64);
  EXPECT_STREQ(wide, L"你好，Zorli\r\n再见");
  EXPECT_EQ(ReadControlText(edit_), text);
}

TEST_F(ControlTextTest, ReadsWhatTheUserTypedAsGbk) {
  SetWindowTextW(edit_, L"几点了");
  EXPECT_EQ(ReadControlText(edit_), "\xBC\xB8\xB5\xE3\xC1\xCB");  // 几点了
  SetWindowTextW(edit_, L"");
  EXPECT_EQ(ReadControlText(edit_), "");
}

TEST_F(ControlTextTest, CharactersOutsideGbkGetStandInsNotQuestionMarks) {
  SetWindowTextW(edit_, L"a\u0E01b");  // a Thai letter GBK does not hold
  EXPECT_EQ(ReadControlText(edit_), "a\xA1\xF5"
                                    "b");  // □
  // 😂 (a surrogate pair in the control) and a lone high surrogate.
  SetWindowTextW(edit_, L"\U0001F602\xD83D!");
  EXPECT_EQ(ReadControlText(edit_), "[\xD0\xA6\xBF\xDE]\xA1\xF5!");  // [笑哭]□!
}

}  // namespace
}  // namespace zorli::window
