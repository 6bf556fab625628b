#include "chat_list_accessible.h"

#include <oleacc.h>

#include <atomic>
#include <string>

#include "chat_list_windows.h"
#include "entry_storage.h"
#include "list_box_state.h"
#include "platform/wide_text.h"

namespace zorli {
namespace {

constexpr char kNameSeparator[] = "\xA3\xBA";  // ：

// Child 0 is the list itself; child n the entry of index n - 1.
bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

class ChatListAccessible final : public IAccessible {
 public:
  explicit ChatListAccessible(HWND list) : list_(list) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: not offered; clients call the interface directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count != nullptr) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    if (!IsWindow(list_)) return CO_E_OBJNOTCONNECTED;
    return AccessibleObjectFromWindow(list_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (count == nullptr) return E_POINTER;
    if (!IsWindow(list_)) return CO_E_OBJNOTCONNECTED;
    const LRESULT items = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    *count = items > 0 ? static_cast<long>(items) : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    if (child == nullptr) return E_POINTER;
    *child = nullptr;
    return S_FALSE;  // entries are simple elements of the list
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    if (IsSelf(child)) return S_FALSE;
    int32_t index = 0;
    if (!EntryIndex(child, index)) return E_INVALIDARG;
    const std::wstring wide = platform::ToWide(platform::CodePage::kGbk, EntryName(index));
    *name = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
    if (value != nullptr) *value = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
    if (text != nullptr) *text = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    int32_t index = 0;
    if (!IsSelf(child) && !EntryIndex(child, index)) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = IsSelf(child) ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    int32_t index = 0;
    if (!IsSelf(child) && !EntryIndex(child, index)) return E_INVALIDARG;
    state->vt = VT_I4;
    state->lVal = STATE_SYSTEM_READONLY;
    if (IsSelf(child) && GetFocus() == list_) state->lVal |= STATE_SYSTEM_FOCUSED;
    if (!IsSelf(child) && !IsEntryVisible(index)) state->lVal |= STATE_SYSTEM_INVISIBLE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override {
    if (text != nullptr) *text = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file != nullptr) *file = nullptr;
    if (topic != nullptr) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override {
    if (text != nullptr) *text = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    focus->vt = GetFocus() == list_ ? VT_I4 : VT_EMPTY;
    if (focus->vt == VT_I4) focus->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection != nullptr) selection->vt = VT_EMPTY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override {
    if (action != nullptr) *action = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
      return E_POINTER;
    RECT rect{};
    int32_t index = 0;
    if (IsSelf(child)) {
      GetClientRect(list_, &rect);
    } else if (!EntryIndex(child, index) ||
               SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
      return E_INVALIDARG;
    }
    if (!IsSelf(child)) OffsetRect(&rect, 0, ViewShift(list_));
    MapWindowPoints(list_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (end == nullptr) return E_POINTER;
    end->vt = VT_EMPTY;
    long count = 0;
    get_accChildCount(&count);
    long from = start.vt == VT_I4 ? start.lVal : -1;
    long to = 0;
    switch (direction) {
      case NAVDIR_FIRSTCHILD: to = IsSelf(start) && count > 0 ? 1 : 0; break;
      case NAVDIR_LASTCHILD: to = IsSelf(start) && count > 0 ? count : 0; break;
      case NAVDIR_NEXT:
      case NAVDIR_DOWN: to = from >= 1 && from < count ? from + 1 : 0; break;
      case NAVDIR_PREVIOUS:
      case NAVDIR_UP: to = from > 1 && from <= count ? from - 1 : 0; break;
      default: return E_NOTIMPL;
    }
    if (to == 0) return S_FALSE;
    end->vt = VT_I4;
    end->lVal = to;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (hit == nullptr) return E_POINTER;
    hit->vt = VT_EMPTY;
    POINT point{x, y};
    ScreenToClient(list_, &point);
    RECT client{};
    GetClientRect(list_, &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    point.y -= ViewShift(list_);
    const LRESULT found = SendMessageW(list_, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    hit->vt = VT_I4;
    hit->lVal = HIWORD(found) == 0 ? static_cast<long>(LOWORD(found)) + 1 : CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  bool EntryIndex(const VARIANT& child, int32_t& index) const {
    if (child.vt != VT_I4 || child.lVal < 1) return false;
    index = static_cast<int32_t>(child.lVal - 1);
    return index < SendMessageW(list_, LB_GETCOUNT, 0, 0);
  }

  GbkText EntryName(int32_t index) const {
    if (const ListBoxState* state = StateOf(list_); state != nullptr && state->entryName)
      return state->entryName(index);
    ChatEntry entry;
    if (!ReadEntryAt(list_, index, entry)) return {};
    const GbkText nickname(TextOf(entry.nickname));
    return nickname.empty() ? GbkText(TextOf(entry.content))
                            : nickname + kNameSeparator + GbkText(TextOf(entry.content));
  }

  bool IsEntryVisible(int32_t index) const {
    RECT item{}, client{};
    GetClientRect(list_, &client);
    return SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&item)) != LB_ERR &&
           item.bottom > client.top && item.top < client.bottom;
  }

  HWND list_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

LRESULT AnswerAccessibleObject(HWND list, WPARAM flags, LPARAM objectId) {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT) return 0;
  auto* accessible = new ChatListAccessible(list);
  const LRESULT result = LresultFromObject(IID_IAccessible, flags, accessible);
  accessible->Release();
  return result > 0 ? result : 0;
}

}  // namespace zorli
