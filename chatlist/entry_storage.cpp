#include "entry_storage.h"

#include <cstring>

namespace zorli {

// The block holds the fields as 32-bit words in their fixed order, rectangles inline.
static_assert(sizeof(void*) != 4 || sizeof(ChatEntry) == 37 * 4, "entry block layout");

char* CopyText(const GbkText& text) {
  if (text.empty()) return nullptr;
  auto* copy = static_cast<char*>(GlobalAlloc(GMEM_FIXED, text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

LPARAM StoreNewEntry(const ChatEntry& entry) {
  void* block = GlobalAlloc(GMEM_FIXED, sizeof(ChatEntry));
  if (block == nullptr) return 0;
  std::memcpy(block, &entry, sizeof(ChatEntry));
  return reinterpret_cast<LPARAM>(block);
}

bool ReadEntry(LPARAM block, ChatEntry& entry) {
  if (block == 0 || block == LB_ERR) return false;
  std::memcpy(&entry, reinterpret_cast<const void*>(block), sizeof(ChatEntry));
  return true;
}

void WriteEntry(LPARAM block, const ChatEntry& entry) {
  if (block == 0 || block == LB_ERR) return;
  std::memcpy(reinterpret_cast<void*>(block), &entry, sizeof(ChatEntry));
}

void FreeTexts(ChatEntry& entry) {
  for (char** text : {&entry.content, &entry.nickname, &entry.title, &entry.link}) {
    if (*text != nullptr) GlobalFree(*text);
    *text = nullptr;
  }
}

void FreeEntry(LPARAM block) {
  ChatEntry entry;
  if (!ReadEntry(block, entry)) return;
  FreeTexts(entry);
  GlobalFree(reinterpret_cast<HGLOBAL>(block));
}

LPARAM EntryBlockAt(HWND list, int32_t index) {
  if (list == nullptr || index < 0) return 0;
  const LRESULT data = SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == LB_ERR ? 0 : static_cast<LPARAM>(data);
}

bool ReadEntryAt(HWND list, int32_t index, ChatEntry& entry) {
  return ReadEntry(EntryBlockAt(list, index), entry);
}

}  // namespace zorli
