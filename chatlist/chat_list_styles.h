#pragma once
// Program-wide resources of the chat list: cursors, font, GDI+, the two window classes,
// bubble styles, built-in pictures, the measuring surface and the vertical padding.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>

#include "gbk_text.h"

namespace zorli {

// The part of the shared resources that could not be set up.
enum class ChatListPart { kNone, kGraphics, kWindowClasses, kMeasuringSurface };

struct ChatListSetup {
  ChatListPart failed = ChatListPart::kNone;
  uint32_t code = 0;  // the system's reason: GetLastError, or the GDI+ status
  explicit operator bool() const { return failed == ChatListPart::kNone; }
};

// Once, before the first chat list window. A part that fails is reported and everything
// set up before it is released again. A built-in picture that cannot be decoded is no
// failure: it is drawn as nothing.
[[nodiscard]] ChatListSetup InitChatListStyles();
// Ends GDI+, releases the pictures and unregisters the classes; for program end, after
// every chat list window is gone.
void ShutdownChatListStyles();

// Number of bubble styles; entries use indices 0 to count - 1.
int32_t BubbleStyleCount();
// Appends a bubble style decoded from a picture; its index, or -1 when the bytes are no picture.
int32_t AddBubbleStyle(const void* bytes, size_t count, COLORREF textColour);
// Vertical padding that centres one line of text in a 40-pixel bubble.
int32_t VerticalTextPadding();

// The bot's avatar as embedded in the program (350 by 350 JPEG), for Picture::LoadFromBytes.
struct EmbeddedBytes {
  const unsigned char* data;
  size_t size;
};
EmbeddedBytes BotAvatarBytes();

// How a card's link is opened: ShellExecuteA(owner, "OPEN", link, ...) unless replaced.
using LinkOpener = std::function<void(HWND owner, const GbkText& link)>;
// An empty function restores the shell.
void SetChatListLinkOpener(LinkOpener opener);

}  // namespace zorli
