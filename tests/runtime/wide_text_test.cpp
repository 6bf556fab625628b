// The one conversion between the program's byte strings and the wide Win32 calls.
#include <gtest/gtest.h>

#include "platform/wide_text.h"

namespace zorli::platform {
namespace {

TEST(WideText, InvalidBytesDoNotCutTheText) {
  // A lone lead byte in the middle: the characters after it survive.
  const std::wstring wide = ToWide(CodePage::kGbk, "A\x81"
                                                   "B\xC4\xE3");
  ASSERT_GE(wide.size(), 3u);
  EXPECT_EQ(wide.front(), L'A');
  EXPECT_EQ(wide.back(), L'你');
  EXPECT_EQ(ToWide(CodePage::kGbk, ""), L"");
  EXPECT_EQ(FromWide(CodePage::kGbk, L""), "");
}

}  // namespace
}  // namespace zorli::platform
