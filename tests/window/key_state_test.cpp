// Which key-down messages of the message box send, for every modifier combination.
#include <windows.h>
#include <gtest/gtest.h>

#include "key_state.h"

namespace zorli::window {
namespace {

TEST(KeyStateTest, OnlyEnterWithExactlyCtrlSends) {
  EXPECT_TRUE(IsSendKey(WM_KEYDOWN, VK_RETURN, kCtrlBit));
  EXPECT_FALSE(IsSendKey(WM_KEYDOWN, VK_RETURN, 0));
  EXPECT_FALSE(IsSendKey(WM_KEYDOWN, VK_RETURN, kCtrlBit | kShiftBit));
  EXPECT_FALSE(IsSendKey(WM_KEYDOWN, VK_RETURN, kCtrlBit | kAltBit));
  EXPECT_FALSE(IsSendKey(WM_KEYDOWN, VK_RETURN, kCtrlBit | kShiftBit | kAltBit));
  EXPECT_FALSE(IsSendKey(WM_SYSKEYDOWN, VK_RETURN, kCtrlBit | kAltBit));
  EXPECT_FALSE(IsSendKey(WM_KEYUP, VK_RETURN, kCtrlBit));
  EXPECT_FALSE(IsSendKey(WM_CHAR, '\n', kCtrlBit));
  EXPECT_FALSE(IsSendKey(WM_KEYDOWN, 'M', kCtrlBit));
}

TEST(KeyStateTest, AccessKeyIsAltSAlone) {
  EXPECT_TRUE(IsSendButtonAccessKey(WM_SYSKEYDOWN, 'S', kAltBit));
  EXPECT_FALSE(IsSendButtonAccessKey(WM_SYSKEYDOWN, 'S', kAltBit | kCtrlBit));
  EXPECT_FALSE(IsSendButtonAccessKey(WM_KEYDOWN, 'S', 0));
  EXPECT_FALSE(IsSendButtonAccessKey(WM_SYSKEYDOWN, 'D', kAltBit));
}

TEST(KeyStateTest, SaveIsCtrlSAlone) {
  EXPECT_TRUE(IsSaveKey(WM_KEYDOWN, 'S', kCtrlBit));
  EXPECT_FALSE(IsSaveKey(WM_KEYDOWN, 'S', kCtrlBit | kShiftBit));
  EXPECT_FALSE(IsSaveKey(WM_SYSKEYDOWN, 'S', kAltBit));  // that one sends
  EXPECT_FALSE(IsSaveKey(WM_KEYDOWN, 'S', 0));
  EXPECT_FALSE(IsSaveKey(WM_KEYUP, 'S', kCtrlBit));
}

TEST(KeyStateTest, TabAloneGoesForwardAndShiftTabBack) {
  EXPECT_EQ(FocusStep(WM_KEYDOWN, VK_TAB, 0), 1);
  EXPECT_EQ(FocusStep(WM_KEYDOWN, VK_TAB, kShiftBit), -1);
  EXPECT_EQ(FocusStep(WM_KEYDOWN, VK_TAB, kCtrlBit), 0);  // left to the box: a tab character
  EXPECT_EQ(FocusStep(WM_KEYDOWN, VK_TAB, kCtrlBit | kShiftBit), 0);
  EXPECT_EQ(FocusStep(WM_SYSKEYDOWN, VK_TAB, kAltBit), 0);
  EXPECT_EQ(FocusStep(WM_KEYUP, VK_TAB, 0), 0);
  EXPECT_EQ(FocusStep(WM_CHAR, '\t', 0), 0);
  EXPECT_EQ(FocusStep(WM_KEYDOWN, VK_RETURN, 0), 0);
}

TEST(KeyStateTest, SelectAllIsCtrlAAlone) {
  EXPECT_TRUE(IsSelectAllKey(WM_KEYDOWN, 'A', kCtrlBit));
  EXPECT_FALSE(IsSelectAllKey(WM_KEYDOWN, 'A', 0));
  EXPECT_FALSE(IsSelectAllKey(WM_KEYDOWN, 'A', kCtrlBit | kShiftBit));
  EXPECT_FALSE(IsSelectAllKey(WM_KEYUP, 'A', kCtrlBit));
  EXPECT_FALSE(IsSelectAllKey(WM_KEYDOWN, 'C', kCtrlBit));
}

TEST(KeyStateTest, ShiftStateFollowsTheThreadKeyState) {
  BYTE saved[256];
  ASSERT_TRUE(GetKeyboardState(saved));
  BYTE keys[256] = {};
  const auto expectState = [&](std::initializer_list<int> down, int expected) {
    for (BYTE& k : keys) k = 0;
    for (int key : down) keys[key] = 0x80;
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_EQ(CurrentShiftState(), expected);
  };
  expectState({}, 0);
  expectState({VK_CONTROL, VK_LCONTROL}, kCtrlBit);
  expectState({VK_CONTROL, VK_SHIFT}, kCtrlBit | kShiftBit);
  expectState({VK_CONTROL, VK_MENU}, kCtrlBit | kAltBit);
  expectState({VK_SHIFT, VK_MENU}, kShiftBit | kAltBit);
  SetKeyboardState(saved);
}

}  // namespace
}  // namespace zorli::window
