// The chat list's menu is what its sections add, in their order, a separator between two.
#include "chat_menu.h"

#include <gtest/gtest.h>

#include <string>

namespace zorli::window {
namespace {

// The menu's texts in order, "-" for a separator.
std::wstring Outline(const ChatMenu& menu) {
  std::wstring outline;
  for (const ChatMenuItem& item : menu.Items())
    outline += (item.text.empty() ? L"-" : item.text) + L"|";
  return outline;
}

TEST(ChatMenuTest, SectionsInOrderWithOneSeparatorBetweenNonEmptyOnes) {
  ChatMenuBuilder builder;
  builder.AddSection([](const ChatMenuContext& context, ChatMenu& menu) {
    if (context.click.index >= 0) menu.Add(L"entry", nullptr);
  });
  builder.AddSection([](const ChatMenuContext&, ChatMenu&) {});  // adds nothing
  builder.AddSection([](const ChatMenuContext& context, ChatMenu& menu) {
    menu.Add(L"a", nullptr);
    menu.AddSeparator();
    menu.AddSeparator();
    menu.Add(L"b", nullptr, context.turn != nullptr);
  });

  ChatMenuContext onEntry;
  onEntry.click.index = 2;
  EXPECT_EQ(Outline(builder.Build(onEntry)), L"entry|-|a|-|b|");
  EXPECT_EQ(Outline(builder.Build(ChatMenuContext{})), L"a|-|b|");
  EXPECT_FALSE(builder.Build(ChatMenuContext{}).Items().back().enabled);
  Turn turn;
  onEntry.turn = &turn;
  EXPECT_TRUE(builder.Build(onEntry).Items().back().enabled);
}

TEST(ChatMenuTest, AnEmptyMenuHasNoItems) {
  ChatMenuBuilder builder;
  builder.AddSection([](const ChatMenuContext&, ChatMenu& menu) { menu.AddSeparator(); });
  EXPECT_TRUE(builder.Build(ChatMenuContext{}).Empty());
  EXPECT_FALSE(ShowChatMenu(nullptr, builder.Build(ChatMenuContext{}), POINT{0, 0}));
}

}  // namespace
}  // namespace zorli::window
