#pragma once
// GBK texts are handed to the wide GDI calls converted with code page 936, so they render
// the same on a Windows of any language as the ANSI calls do on a Chinese one.
#include <string>

namespace zorli {

constexpr unsigned kGbkCodePage = 936;

// nullptr and "" give the empty string.
std::wstring GbkToWide(const char* gbk);
std::wstring AnsiToWide(const char* text);

}  // namespace zorli
