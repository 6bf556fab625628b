#include "entry_layout.h"

#include <algorithm>

namespace zorli {
namespace {

constexpr int32_t kMargin = 5;
constexpr int32_t kAvatarSize = 40;
constexpr int32_t kAvatarFarEdge = kMargin + kAvatarSize;
constexpr int32_t kAvatarGap = 7 + 5;
constexpr int32_t kMinBubbleWidth = 60;
constexpr int32_t kMinBubbleHeight = 40;
constexpr int32_t kMinTipWidth = 100;
constexpr int32_t kMinTipHeight = 30;
constexpr int32_t kMinNicknameWidth = 100;
constexpr int32_t kMinNicknameHeight = 20;
constexpr int32_t kTextWidthReserve = 90 + 20;
constexpr int32_t kMaxContentHeight = 1000;
constexpr int32_t kMaxPictureWidth = 200;
constexpr double kPictureHeightRatio = 0.75;
constexpr int32_t kMinPictureSide = 10;
constexpr int32_t kPicturePadding = 3;
constexpr int32_t kCardPadding = 5;
constexpr int32_t kCardBoxHeight = 60;
constexpr int32_t kCardTitleHeight = 20;
constexpr int32_t kCardPictureSize = 40;
constexpr int32_t kNicknameBoxHeight = 100;
constexpr int32_t kTipBoxHeight = 100;

// Room left for a box after the fixed margins; a list narrower than those leaves none.
int32_t RoomWithin(int32_t width, int32_t margins) { return std::max(width - margins, 0); }

void LayoutTip(ChatEntry& entry, int32_t width, int32_t padding, LayoutMetrics& metrics) {
  const int32_t limit = RoomWithin(width, 2 * padding + 10);
  const TextExtent text =
      metrics.MeasureText(entry.content, limit, kTipBoxHeight, MeasureMode::kSingleLine);
  int32_t m = text.width + 10;
  int32_t o = text.height + 10;
  if (m < kMinTipWidth) m = kMinTipWidth;
  if (m > limit) m = limit;
  if (o < kMinTipHeight) o = kMinTipHeight;
  entry.bubbleRect = RectOfSize((width - m) / 2, kMargin, m, o);
  entry.contentRect = entry.bubbleRect;
  entry.contentRect.left += 5;
  entry.contentRect.right = std::max(entry.contentRect.right - 5, entry.contentRect.left);
  entry.height = entry.bubbleRect.bottom + kMargin;
}

// Fits a picture of no zero side into the widest box (not negative), keeping its aspect
// ratio; each step truncates, and a side cut to nothing is raised to the smallest side.
TextExtent FitPicture(TextExtent size, int32_t widest) {
  const int32_t tallest = static_cast<int32_t>(kPictureHeightRatio * widest);
  if (widest < size.width) {
    size.height = static_cast<int32_t>(int64_t{size.height} * widest / size.width);
    size.width = widest;
  }
  if (tallest < size.height) {
    size.width = static_cast<int32_t>(int64_t{tallest} * size.width / size.height);
    size.height = tallest;
  }
  if (size.width < kMinPictureSide || size.height < kMinPictureSide) {
    size.width = kMinPictureSide;
    size.height = kMinPictureSide;
  }
  return size;
}

void LayoutWithAvatar(ChatEntry& entry, int32_t width, int32_t padding, LayoutMetrics& metrics) {
  const bool right = entry.rightSide != 0;

  TextExtent nick;
  if (entry.showNickname && HasText(entry.nickname)) {
    const int32_t widestNickname = RoomWithin(width, 20);
    nick = metrics.MeasureText(entry.nickname, widestNickname, kNicknameBoxHeight,
                               MeasureMode::kSingleLine);
    nick.width = std::max(nick.width, kMinNicknameWidth);
    nick.width = std::min(nick.width, widestNickname);
    // Beside the avatar the line has less room than that; a nickname wider than the room
    // ends in an ellipsis inside the client area instead of being cut at its edge.
    nick.width = std::min(nick.width, RoomWithin(width, kAvatarFarEdge + kAvatarGap + kMargin));
    nick.height = std::max(nick.height, kMinNicknameHeight);
  }

  int32_t widest = RoomWithin(width, kTextWidthReserve + 2 * padding);
  TextExtent box;
  int32_t p = padding;
  switch (entry.kind) {
    case kEntryPicture: {
      widest = std::min(widest, kMaxPictureWidth);
      p = kPicturePadding;
      if (entry.picture != 0) {
        const TextExtent size = metrics.ImageSize(entry.picture);
        // An image of unknown size gets the smallest box instead of a division by zero.
        box = size.width > 0 && size.height > 0 ? FitPicture(size, widest)
                                                : TextExtent{kMinPictureSide, kMinPictureSide};
      }
      break;
    }
    case kEntryCard:
      box = TextExtent{widest, kCardBoxHeight};
      p = kCardPadding;
      break;
    default:
      box = metrics.MeasureText(entry.content, widest, kMaxContentHeight, MeasureMode::kWrapped);
      box.height = std::min(box.height, kMaxContentHeight);
      break;
  }

  entry.avatarRect =
      right ? EntryRect{width - kAvatarFarEdge, kMargin, width - kMargin, kAvatarFarEdge}
            : EntryRect{kMargin, kMargin, kAvatarFarEdge, kAvatarFarEdge};

  int32_t bubbleTop = kMargin;
  if (nick.width != 0 || nick.height != 0) {
    const int32_t left = right ? entry.avatarRect.left - kAvatarGap - nick.width
                               : entry.avatarRect.right + kAvatarGap;
    entry.nicknameRect = RectOfSize(left, kMargin, nick.width, nick.height);
    bubbleTop = entry.nicknameRect.bottom;
  }

  const int32_t bw = std::max(box.width + 2 * p, kMinBubbleWidth);
  const int32_t bh = std::max(box.height + 2 * p, kMinBubbleHeight);
  const int32_t bubbleLeft =
      right ? entry.avatarRect.left - kAvatarGap - bw : entry.avatarRect.right + kAvatarGap;
  entry.bubbleRect = RectOfSize(bubbleLeft, bubbleTop, bw, bh);
  const EntryRect& bubble = entry.bubbleRect;

  switch (entry.kind) {
    case kEntryPicture:
      entry.pictureRect = RectOfSize(bubble.left + p, bubble.top + p, box.width, box.height);
      break;
    case kEntryCard:
      entry.titleRect = EntryRect{bubble.left + 5, bubble.top + 5, bubble.right - 5,
                                  bubble.top + 5 + kCardTitleHeight};
      entry.pictureRect = RectOfSize(entry.titleRect.left, entry.titleRect.bottom, kCardPictureSize,
                                     kCardPictureSize);
      entry.contentRect = EntryRect{entry.pictureRect.right + 5, entry.pictureRect.top,
                                    bubble.right - 5, entry.pictureRect.bottom};
      break;
    default:
      entry.contentRect = RectOfSize(bubble.left + p, bubble.top + p, box.width, box.height);
      break;
  }
  entry.height = bubble.bottom + kMargin;
}

}  // namespace

void LayoutEntry(ChatEntry& entry, int32_t clientWidth, int32_t padding, LayoutMetrics& metrics) {
  entry.layoutWidth = clientWidth;
  entry.height = kAvatarSize;
  entry.avatarRect = entry.pictureRect = entry.bubbleRect = EntryRect{};
  entry.contentRect = entry.nicknameRect = entry.titleRect = EntryRect{};
  if (entry.kind == kEntryTip)
    LayoutTip(entry, clientWidth, padding, metrics);
  else
    LayoutWithAvatar(entry, clientWidth, padding, metrics);
}

}  // namespace zorli
