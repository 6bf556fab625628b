#pragma once
// The bot's avatar, a 350 by 350 JPEG embedded in the program at build time from
// app/window/images/, for Picture::LoadFromBytes.
#include <cstddef>

namespace zorli::embedded {

extern const unsigned char kBotAvatarJpg[];
extern const std::size_t kBotAvatarJpgSize;

}  // namespace zorli::embedded
