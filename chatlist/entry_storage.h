#pragma once
// Each entry lives in one fixed memory block (the list box item's data); each text in a
// block of its own. Working copies are read out and written back whole.
#include <windows.h>

#include <cstdint>

#include "chat_entry.h"
#include "gbk_text.h"

namespace zorli {

// A NUL-terminated copy in a fixed block, or nullptr for the empty text.
char* CopyText(const GbkText& text);
// Moves the working entry (with its text copies) into a new block; 0 when out of memory.
LPARAM StoreNewEntry(const ChatEntry& entry);
bool ReadEntry(LPARAM block, ChatEntry& entry);
void WriteEntry(LPARAM block, const ChatEntry& entry);
// Frees the texts and the block.
void FreeEntry(LPARAM block);
void FreeTexts(ChatEntry& entry);

// The block of list box item index, 0 when there is none.
LPARAM EntryBlockAt(HWND list, int32_t index);
bool ReadEntryAt(HWND list, int32_t index, ChatEntry& entry);

}  // namespace zorli
