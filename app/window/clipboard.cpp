#include "clipboard.h"

#include <cstring>

namespace zorli::window {
namespace {

// Another program may hold the clipboard for a moment; try a few times before giving up.
bool OpenClipboardPatiently(HWND owner) {
  constexpr int kAttempts = 10;
  constexpr DWORD kPauseMilliseconds = 20;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kPauseMilliseconds);
  }
  return false;
}

}  // namespace

bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
  } else {
    GlobalFree(memory);
    return false;
  }
  if (!OpenClipboardPatiently(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // Once set, the memory is the clipboard's.
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!set) GlobalFree(memory);
  return set;
}

std::optional<std::wstring> ClipboardText(HWND owner) {
  if (!OpenClipboardPatiently(owner)) return std::nullopt;
  std::optional<std::wstring> text;
  if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(memory))) {
      // Bounded by the block's size: a program may have put text without its terminator.
      const size_t capacity = GlobalSize(memory) / sizeof(wchar_t);
      text = std::wstring(locked, wcsnlen(locked, capacity));
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace zorli::window
