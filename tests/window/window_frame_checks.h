#pragma once
// Checks of the main window's frame shared by the in-process and the end-to-end tests.
#include <windows.h>

#include <gtest/gtest.h>

// Outer size 450 by 600, centred on the screen with integer halves.
inline void ExpectCentredTemplateFrame(HWND main) {
  RECT rect;
  ASSERT_TRUE(GetWindowRect(main, &rect));
  EXPECT_EQ(rect.right - rect.left, 450);
  EXPECT_EQ(rect.bottom - rect.top, 600);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 450) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 600) / 2);
}
