#pragma once
// One entry of the chat list as it is stored: a flat block of 32-bit fields in a fixed
// order, rectangles inline, texts as separately allocated NUL-terminated GBK copies.
#include <cstdint>
#include <string_view>

#include "image_handle.h"

namespace zorli {

enum EntryKind : int32_t {
  kEntryMessage = 0,
  kEntryTip = 1,
  kEntryPicture = 2,
  kEntryCard = 3,
};

// Pixels relative to the item's top-left corner; right and bottom are exclusive.
struct EntryRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool Contains(int32_t x, int32_t y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  bool operator==(const EntryRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

inline EntryRect RectOfSize(int32_t left, int32_t top, int32_t width, int32_t height) {
  return EntryRect{left, top, left + width, top + height};
}

// Text fields point at blocks owned by the entry's storage (nullptr for the empty text).
struct ChatEntry {
  int32_t kind = kEntryMessage;
  int32_t layoutWidth = 0;  // 0: must be laid out again
  int32_t height = 0;       // bubble bottom + 5; may exceed what the list box can show
  ImageHandle avatar = 0;
  EntryRect avatarRect;
  ImageHandle picture = 0;
  EntryRect pictureRect;
  int32_t bubbleStyle = 0;
  EntryRect bubbleRect;
  char* content = nullptr;
  EntryRect contentRect;
  char* nickname = nullptr;
  EntryRect nicknameRect;
  char* title = nullptr;
  EntryRect titleRect;
  char* link = nullptr;
  int32_t showNickname = 0;
  int32_t rightSide = 0;
  int32_t tag = 0;
};

inline bool HasText(const char* text) { return text != nullptr && text[0] != '\0'; }
// A stored text as a view; nullptr is the empty text.
inline std::string_view TextOf(const char* text) {
  return text != nullptr ? text : std::string_view();
}

}  // namespace zorli
