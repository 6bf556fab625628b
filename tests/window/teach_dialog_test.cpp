// The teaching dialog's checks of what is typed: GBK bytes counted, the first character
// GBK lacks named whole.
#include "teach_dialog.h"

#include <gtest/gtest.h>

namespace zorli::window {
namespace {

TEST(TeachDialogTest, CountsGbkBytesAndNamesTheFirstCharacterGbkLacks) {
  EXPECT_EQ(CheckDialogText(L"带伞a").gbkBytes, 5);
  EXPECT_FALSE(CheckDialogText(L"带伞a").lacking);
  // U+1F600 is a surrogate pair; Hangul is not in GBK either.
  EXPECT_EQ(CheckDialogText(L"好\U0001F600\ud55c").lacking, std::wstring(L"\U0001F600"));
  EXPECT_EQ(CheckDialogText(L"好\ud55c").lacking, std::wstring(L"\ud55c"));
  EXPECT_EQ(BytesLeftText(8), L"还能输入 192 个字节（一个汉字两个字节）");
  EXPECT_EQ(BytesLeftText(260), L"还能输入 0 个字节（一个汉字两个字节）");
}

}  // namespace
}  // namespace zorli::window
