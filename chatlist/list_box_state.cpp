#include "list_box_state.h"

#include <utility>

namespace zorli {
namespace {

constexpr char kStateProperty[] = "QuarnPopChatState";

}  // namespace

void AttachListBoxState(HWND list) { SetPropA(list, kStateProperty, new ListBoxState); }

void DetachListBoxState(HWND list) {
  delete static_cast<ListBoxState*>(RemovePropA(list, kStateProperty));
}

ListBoxState* StateOf(HWND list) {
  return static_cast<ListBoxState*>(GetPropA(list, kStateProperty));
}

void SetEventHandler(HWND list, ChatListHandler ListBoxState::*slot, const char* property,
                     ChatListHandler handler) {
  ListBoxState* state = StateOf(list);
  if (state == nullptr) return;
  ChatListHandler& stored = state->*slot;
  stored = std::move(handler);
  if (property != nullptr) SetPropA(list, property, stored ? &stored : nullptr);
}

}  // namespace zorli
