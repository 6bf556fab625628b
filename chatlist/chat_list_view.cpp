#include "chat_list_view.h"

#include <utility>

#include "chat_list_resources.h"
#include "chat_list_windows.h"
#include "entry_layout.h"
#include "entry_storage.h"
#include "list_box_state.h"

namespace zorli {
namespace {

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWVARIABLE |
                             LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;

void ApplyBorderStyle(int32_t borderStyle, DWORD& style, DWORD& exStyle) {
  style &= ~static_cast<DWORD>(WS_BORDER);
  exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE);
  switch (borderStyle) {
    case 1: exStyle |= WS_EX_CLIENTEDGE; break;
    case 2: exStyle |= WS_EX_DLGMODALFRAME; break;
    case 3: exStyle |= WS_EX_STATICEDGE; break;
    case 4: exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: style |= WS_BORDER; break;
    default: break;
  }
}

// The frame's outer rectangle, left and top in the parent's client coordinates.
RECT FrameRectInParent(HWND frame) {
  RECT rect{};
  GetWindowRect(frame, &rect);
  if (HWND parent = GetParent(frame)) {
    POINT corner{rect.left, rect.top};
    ScreenToClient(parent, &corner);
    rect.right += corner.x - rect.left;
    rect.bottom += corner.y - rect.top;
    rect.left = corner.x;
    rect.top = corner.y;
  }
  return rect;
}

// Resuming redraw makes the list box repaint all of itself, though an added entry changes
// only its own item. This keeps what was waiting to be painted and adds that item, unless
// the view moved (another top item, or a bottom-anchored view, whose shift the entry changes)
// or the client area changed (the scroll bar came), which lays every entry out again.
class RepaintNarrower {
 public:
  explicit RepaintNarrower(HWND list)
      : list_(list),
        pending_(CreateRectRgn(0, 0, 0, 0)),
        top_(SendMessageW(list, LB_GETTOPINDEX, 0, 0)),
        shift_(ViewShift(list)),
        clientWidth_(ClientWidth(list)) {
    if (pending_ != nullptr && GetUpdateRgn(list, pending_, FALSE) == ERROR) {
      DeleteObject(pending_);
      pending_ = nullptr;
    }
  }
  ~RepaintNarrower() {
    if (pending_ != nullptr) DeleteObject(pending_);
  }
  RepaintNarrower(const RepaintNarrower&) = delete;
  RepaintNarrower& operator=(const RepaintNarrower&) = delete;

  void RepaintOnly(int32_t index) const {
    if (pending_ == nullptr || index < 0 || shift_ != 0 || ViewShift(list_) != 0 ||
        ClientWidth(list_) != clientWidth_ || SendMessageW(list_, LB_GETTOPINDEX, 0, 0) != top_)
      return;
    RECT item{};
    if (SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item)) == LB_ERR)
      return;
    ValidateRect(list_, nullptr);
    InvalidateRgn(list_, pending_, FALSE);
    InvalidateRect(list_, &item, FALSE);
  }

 private:
  static LONG ClientWidth(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    return client.right;
  }

  HWND list_;
  HRGN pending_;
  LRESULT top_;
  int32_t shift_;
  LONG clientWidth_;
};

}  // namespace

bool ChatListView::Create(HWND parent, int32_t left, int32_t top, int32_t width, int32_t height,
                          std::optional<int32_t> borderStyle, std::optional<bool> showNickname) {
  if (frame_ != nullptr && IsWindow(frame_)) return false;
  if (!IsWindow(parent)) return false;
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  DWORD style = WS_CHILD, exStyle = 0;
  ApplyBorderStyle(borderStyle.value_or(0), style, exStyle);
  const HINSTANCE instance = Resources().instance;
  HWND frame = CreateWindowExW(exStyle, kFrameClassName, L"", style, left, top, width, height,
                               parent, nullptr, instance, nullptr);
  frame_ = frame;
  if (frame == nullptr) return false;
  RECT client{};
  GetClientRect(frame, &client);
  HWND list = CreateWindowExW(exStyle, kListClassName, L"", kListStyle, 0, 0, client.right,
                              client.bottom, frame, nullptr, instance, nullptr);
  if (list == nullptr) {
    DestroyWindow(frame);
    frame_ = nullptr;
    return false;
  }
  list_ = list;
  showNickname_ = showNickname.value_or(false) ? 1 : 0;
  ShowWindow(frame, SW_SHOW);
  return true;
}

void ChatListView::SetShowNickname(bool show) {
  showNickname_ = show ? 1 : 0;
  if (!IsWindow(list_)) return;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  const int32_t count = GetCount();
  for (int32_t index = 0; index < count; ++index) {
    const LPARAM block = EntryBlockAt(list_, index);
    ChatEntry entry;
    if (!ReadEntry(block, entry) || entry.showNickname == showNickname_) continue;
    entry.showNickname = showNickname_;
    entry.layoutWidth = 0;
    entry.height = 0;
    WriteEntry(block, entry);
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  SetWindowPos(list_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

int32_t ChatListView::AddEntry(ChatEntry& entry) {
  if (!IsWindow(list_)) {
    FreeTexts(entry);
    return LB_ERR;
  }
  const RepaintNarrower narrower(list_);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  const auto index =
      static_cast<int32_t>(SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"")));
  if (index >= 0) {
    if (entry.bubbleStyle < 0 || entry.bubbleStyle >= BubbleStyleCount()) entry.bubbleStyle = 0;
    LayoutForList(list_, entry);
    if (const LPARAM block = StoreNewEntry(entry)) {
      SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(index), block);
      SendMessageW(list_, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), ItemHeightOf(entry));
    } else {
      FreeTexts(entry);
      SendMessageW(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
      SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
      return LB_ERRSPACE;
    }
  } else {
    FreeTexts(entry);
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  narrower.RepaintOnly(index);
  return index;
}

int32_t ChatListView::AddMessage(const GbkText& nickname, ImageHandle avatar,
                                 const GbkText& content, std::optional<int32_t> bubbleStyle,
                                 std::optional<bool> rightSide, std::optional<int32_t> tag) {
  ChatEntry entry;
  entry.kind = kEntryMessage;
  entry.avatar = avatar;
  entry.nickname = CopyText(nickname);
  entry.content = CopyText(content);
  entry.showNickname = showNickname_;
  entry.rightSide = rightSide.value_or(false) ? 1 : 0;
  entry.bubbleStyle = bubbleStyle.value_or(entry.rightSide ? 1 : 0);
  entry.tag = tag.value_or(0);
  return AddEntry(entry);
}

int32_t ChatListView::AddTip(const GbkText& text, std::optional<int32_t> tag) {
  ChatEntry entry;
  entry.kind = kEntryTip;
  entry.content = CopyText(text);
  entry.tag = tag.value_or(0);
  return AddEntry(entry);
}

int32_t ChatListView::AddCard(const GbkText& nickname, ImageHandle avatar, const GbkText& title,
                              ImageHandle picture, const GbkText& content, const GbkText& link,
                              std::optional<bool> rightSide, std::optional<int32_t> tag) {
  ChatEntry entry;
  entry.kind = kEntryCard;
  entry.avatar = avatar;
  entry.picture = picture;
  entry.nickname = CopyText(nickname);
  entry.title = CopyText(title);
  entry.content = CopyText(content.empty() ? link : content);
  entry.link = CopyText(link);
  entry.showNickname = showNickname_;
  entry.rightSide = rightSide.value_or(false) ? 1 : 0;
  entry.bubbleStyle = entry.rightSide ? 2 : 0;
  entry.tag = tag.value_or(0);
  return AddEntry(entry);
}

int32_t ChatListView::AddPicture(const GbkText& nickname, ImageHandle avatar, ImageHandle picture,
                                 std::optional<bool> rightSide, std::optional<int32_t> tag) {
  ChatEntry entry;
  entry.kind = kEntryPicture;
  entry.avatar = avatar;
  entry.picture = picture;
  entry.nickname = CopyText(nickname);
  entry.showNickname = showNickname_;
  entry.rightSide = rightSide.value_or(false) ? 1 : 0;
  entry.bubbleStyle = entry.rightSide ? 2 : 0;
  entry.tag = tag.value_or(0);
  return AddEntry(entry);
}

void ChatListView::ScrollToBottom() {
  if (list_ != nullptr) SendMessageW(list_, WM_VSCROLL, SB_BOTTOM, 0);
}

int32_t ChatListView::GetTag(int32_t index) const {
  ChatEntry entry;
  return ReadEntryAt(list_, index, entry) ? entry.tag : 0;
}

GbkText ChatListView::GetNickname(int32_t index) const {
  ChatEntry entry;
  return ReadEntryAt(list_, index, entry) ? GbkText(TextOf(entry.nickname)) : GbkText();
}

GbkText ChatListView::GetContent(int32_t index) const {
  ChatEntry entry;
  return ReadEntryAt(list_, index, entry) ? GbkText(TextOf(entry.content)) : GbkText();
}

GbkText ChatListView::GetTitle(int32_t index) const {
  ChatEntry entry;
  return ReadEntryAt(list_, index, entry) ? GbkText(TextOf(entry.title)) : GbkText();
}

GbkText ChatListView::GetLink(int32_t index) const {
  ChatEntry entry;
  return ReadEntryAt(list_, index, entry) ? GbkText(TextOf(entry.link)) : GbkText();
}

bool ChatListView::GetEntry(int32_t index, ChatEntry& entry) const {
  return ReadEntryAt(list_, index, entry);
}

bool ChatListView::IsCut(int32_t index) const {
  ChatEntry entry;
  return ReadEntryAt(list_, index, entry) && entry.height > kMaxItemHeight;
}

void ChatListView::RemoveEntry(int32_t index) {
  // The frame frees the entry's storage when the list box reports the item deleted.
  if (index >= 0 && index < GetCount())
    SendMessageW(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ChatListView::Clear() {
  if (IsWindow(list_)) SendMessageW(list_, LB_RESETCONTENT, 0, 0);
}

int32_t ChatListView::GetCount() const {
  if (!IsWindow(list_)) return 0;
  const auto count = static_cast<int32_t>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
  return count > 0 ? count : 0;
}

void ChatListView::Show(std::optional<bool> bringToFront) {
  ShowWindow(frame_, SW_SHOW);
  if (bringToFront.value_or(false)) SetForegroundWindow(frame_);
}

void ChatListView::Hide() { ShowWindow(frame_, SW_HIDE); }

void ChatListView::SetDisabled(bool disabled) { EnableWindow(frame_, !disabled); }

void ChatListView::Move(std::optional<int32_t> left, std::optional<int32_t> top,
                        std::optional<int32_t> width, std::optional<int32_t> height,
                        std::optional<bool> noRedraw) {
  const RECT current = FrameRectInParent(frame_);
  UINT flags = SWP_NOZORDER | SWP_FRAMECHANGED;
  if (noRedraw.value_or(false)) flags |= SWP_NOREDRAW;
  if (!left && !top) flags |= SWP_NOMOVE;
  if (!width && !height) flags |= SWP_NOSIZE;
  SetWindowPos(frame_, nullptr, left.value_or(current.left), top.value_or(current.top),
               width.value_or(current.right - current.left),
               height.value_or(current.bottom - current.top), flags);
}

int32_t ChatListView::GetWidth() const {
  RECT rect{};
  GetWindowRect(frame_, &rect);
  return rect.right - rect.left;
}

int32_t ChatListView::GetHeight() const {
  RECT rect{};
  GetWindowRect(frame_, &rect);
  return rect.bottom - rect.top;
}

int32_t ChatListView::GetTop() const { return FrameRectInParent(frame_).top; }

int32_t ChatListView::GetLeft() const { return FrameRectInParent(frame_).left; }

HWND ChatListView::GetWindowHandle() const { return IsCreated() ? frame_ : nullptr; }

bool ChatListView::IsCreated() const { return frame_ != nullptr && IsWindow(frame_); }

void ChatListView::Close() { PostMessageA(frame_, WM_CLOSE, 0, 0); }

void ChatListView::Destroy() { DestroyWindow(frame_); }

void ChatListView::OnClickFace(ChatListHandler handler) {
  SetEventHandler(list_, &ListBoxState::clickFace, kClickFaceProperty, std::move(handler));
}

void ChatListView::OnClickNickname(ChatListHandler handler) {
  SetEventHandler(list_, &ListBoxState::clickNickname, kClickNicknameProperty, std::move(handler));
}

void ChatListView::OnClickContent(ChatListHandler handler) {
  SetEventHandler(list_, &ListBoxState::clickContent, kClickContentProperty, std::move(handler));
}

void ChatListView::SetEntryNames(std::function<GbkText(int32_t index)> name) {
  if (ListBoxState* state = StateOf(list_)) state->entryName = std::move(name);
}

void ChatListView::OnRightClick(ChatListHandler handler) {
  SetEventHandler(list_, &ListBoxState::rightClick, nullptr, std::move(handler));
}

void ChatListView::OnDoubleClick(ChatListHandler handler) {
  SetEventHandler(list_, &ListBoxState::doubleClick, nullptr, std::move(handler));
}

}  // namespace zorli
