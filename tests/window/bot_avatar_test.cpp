// The bot's avatar as the program embeds it.
#include <gtest/gtest.h>

#include "bot_avatar.h"
#include "chat_list_resources.h"
#include "picture.h"

namespace zorli {
namespace {

TEST(BotAvatar, DecodesAsA350By350Picture) {
  ASSERT_TRUE(InitChatListStyles());  // GDI+
  {
    Picture avatar;
    ASSERT_TRUE(avatar.LoadFromBytes(embedded::kBotAvatarJpg, embedded::kBotAvatarJpgSize));
    EXPECT_NE(avatar.Handle(), 0u);
    EXPECT_EQ(avatar.Width(), 350);
    EXPECT_EQ(avatar.Height(), 350);
  }
  ShutdownChatListStyles();
}

}  // namespace
}  // namespace zorli
