#include "controls.h"

#include <commctrl.h>

#include "common_controls.h"
#include "scoped_gdi.h"

namespace zorli::window {
namespace {

constexpr wchar_t kPictureBoxClass[] = L"ZorliPictureBox";
constexpr wchar_t kShapeBoxClass[] = L"ZorliShapeBox";

HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

HWND CreateUnit(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                HWND parent, const ControlPlace& place) {
  HWND unit = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, place.left,
                              place.top, place.width, place.height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                              InstanceOf(parent), nullptr);
  if (unit) {
    SendMessageW(unit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
  }
  return unit;
}

void PaintShapeBoxFrame(HWND box) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(box, &paint);
  RECT client;
  GetClientRect(box, &client);
  {
    const ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, kShapeBoxLineColour));
    const ScopedSelectObject penSelected(dc, pen.Get());
    const ScopedSelectObject brushSelected(dc, GetSysColorBrush(COLOR_BTNFACE));
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
  }
  EndPaint(box, &paint);
}

LRESULT CALLBACK ShapeBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: PaintShapeBoxFrame(box); return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return SendMessageW(GetParent(box), message, wParam, lParam);
    default: return DefWindowProcW(box, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterButtonFaceClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  if (GetClassInfoExW(instance, name, &info)) return true;
  info = WNDCLASSEXW{};
  info.cbSize = sizeof info;
  info.lpfnWndProc = procedure;
  info.hInstance = instance;
  info.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  info.lpszClassName = name;
  return RegisterClassExW(&info) != 0;
}

namespace {

int MinimumSingleLineHeight(HWND edit) {
  const ScopedWindowDc dc(edit);
  const ScopedSelectObject font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  return metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
}

void AttachTooltip(HWND button, const wchar_t* tooltip) {
  if (!InitCommonControlClasses(ICC_WIN95_CLASSES)) return;
  // Owned by the top-level window so that it goes away with it.
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             GetAncestor(button, GA_ROOT), nullptr, InstanceOf(button), nullptr);
  if (!tip) return;
  TOOLINFOW tool{};
  // The oldest layout: every comctl32 version accepts it.
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(button);
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = const_cast<wchar_t*>(tooltip);
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

bool RegisterContainerClasses(HINSTANCE instance) {
  return RegisterButtonFaceClass(instance, kPictureBoxClass, DefWindowProcW) &&
         RegisterButtonFaceClass(instance, kShapeBoxClass, ShapeBoxProc);
}

HWND CreatePictureBox(HWND parent, const ControlPlace& place) {
  return CreateUnit(0, kPictureBoxClass, L"", WS_BORDER | WS_CLIPCHILDREN, parent, place);
}

HWND CreateShapeBox(HWND parent, const ControlPlace& place) {
  return CreateUnit(0, kShapeBoxClass, L"", 0, parent, place);
}

HWND CreateMultiLineEditBox(HWND parent, const ControlPlace& place) {
  HWND edit = CreateUnit(WS_EX_CLIENTEDGE, L"EDIT", L"",
                         WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                         parent, place);
  if (edit) SendMessageW(edit, EM_LIMITTEXT, 0, 0);
  return edit;
}

HWND CreateSingleLineEditBox(HWND parent, const ControlPlace& place, const wchar_t* text) {
  HWND edit = CreateUnit(WS_EX_CLIENTEDGE, L"EDIT", text, ES_LEFT | ES_AUTOHSCROLL, parent, place);
  if (!edit) return nullptr;
  SendMessageW(edit, EM_LIMITTEXT, 0, 0);
  const int minimum = MinimumSingleLineHeight(edit);
  if (place.height < minimum) {
    SetWindowPos(edit, nullptr, 0, 0, place.width, minimum,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return edit;
}

HWND CreateCheckBox(HWND parent, const ControlPlace& place, const wchar_t* text) {
  HWND box = CreateUnit(0, L"BUTTON", text, BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER, parent, place);
  if (box) SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  return box;
}

HWND CreateLabel(HWND parent, const ControlPlace& place, const wchar_t* text) {
  return CreateUnit(0, L"STATIC", text, SS_LEFT, parent, place);
}

HWND CreateSuperButton(HWND parent, const ControlPlace& place, const wchar_t* caption,
                       const wchar_t* tooltip) {
  HWND button = CreateUnit(0, L"BUTTON", caption, BS_PUSHBUTTON, parent, place);
  if (button) AttachTooltip(button, tooltip);
  return button;
}

}  // namespace zorli::window
