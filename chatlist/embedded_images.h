#pragma once
// The built-in pictures, embedded at build time from chatlist/images/.
#include <cstddef>

namespace zorli::embedded {

extern const unsigned char tip_bubble_png[];
extern const std::size_t tip_bubble_png_size;
extern const unsigned char bubble_style0_png[];
extern const std::size_t bubble_style0_png_size;
extern const unsigned char bubble_style1_png[];
extern const std::size_t bubble_style1_png_size;
extern const unsigned char bubble_style2_png[];
extern const std::size_t bubble_style2_png_size;
extern const unsigned char default_avatar_bmp[];
extern const std::size_t default_avatar_bmp_size;
extern const unsigned char default_card_jpg[];
extern const std::size_t default_card_jpg_size;

}  // namespace zorli::embedded
