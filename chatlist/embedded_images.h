#pragma once
// The built-in pictures, embedded at build time from chatlist/images/.
#include <cstddef>

namespace zorli::embedded {

extern const unsigned char kTipBubblePng[];
extern const std::size_t kTipBubblePngSize;
extern const unsigned char kBubbleStyle0Png[];
extern const std::size_t kBubbleStyle0PngSize;
extern const unsigned char kBubbleStyle1Png[];
extern const std::size_t kBubbleStyle1PngSize;
extern const unsigned char kBubbleStyle2Png[];
extern const std::size_t kBubbleStyle2PngSize;
extern const unsigned char kDefaultAvatarBmp[];
extern const std::size_t kDefaultAvatarBmpSize;
extern const unsigned char kDefaultCardJpg[];
extern const std::size_t kDefaultCardJpgSize;

}  // namespace zorli::embedded
