#pragma once
// Where every piece of a chat entry goes for a given client width. Pure arithmetic over a
// text-measuring interface, so it runs the same with GDI and with a fake in tests.
#include <cstdint>

#include "chat_entry.h"

namespace zorli {

// A list box refuses item heights above this; taller entries are shown clipped.
constexpr int32_t kMaxItemHeight = 255;

enum class MeasureMode {
  kWrapped,     // message content: word breaks, edit-control line rules
  kSingleLine,  // tips and nicknames
};

struct TextExtent {
  int32_t width = 0;
  int32_t height = 0;
};

class LayoutMetrics {
 public:
  virtual ~LayoutMetrics() = default;
  // Size of the text laid out in a box of the given size starting at (0, 0).
  virtual TextExtent MeasureText(const char* gbk, int32_t boxWidth, int32_t boxHeight,
                                 MeasureMode mode) = 0;
  // Pixel size of an image; 0 by 0 when it is unknown.
  virtual TextExtent ImageSize(ImageHandle image) = 0;
};

// Sets layout width, height and every rectangle of the entry. padding is the vertical
// padding of message bubbles that centres one text line in a 40-pixel bubble.
void LayoutEntry(ChatEntry& entry, int32_t clientWidth, int32_t padding, LayoutMetrics& metrics);

// The height the list box item gets for an entry.
inline int32_t ItemHeightOf(const ChatEntry& entry) {
  return entry.height < kMaxItemHeight ? entry.height : kMaxItemHeight;
}

// True when the entry was laid out for an item of this size.
inline bool LayoutFits(const ChatEntry& entry, int32_t itemWidth, int32_t itemHeight) {
  return entry.layoutWidth == itemWidth && ItemHeightOf(entry) == itemHeight;
}

// A list box scrolls by whole items, so scrolled to the bottom it can leave a band under
// its last entry while the one above its top item stays hidden. The view is then drawn
// that much lower (the hidden entry's bottom part showing at the top): this is the shift,
// given the top item's index and the last item's bottom in the list box's own coordinates;
// 0 when the entries do not fill the list or the view is not at the bottom.
inline int32_t BottomAnchorShift(int32_t topIndex, int32_t lastItemBottom, int32_t clientHeight) {
  return topIndex > 0 && lastItemBottom < clientHeight ? clientHeight - lastItemBottom : 0;
}

}  // namespace zorli
