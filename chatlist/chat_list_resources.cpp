#include "chat_list_resources.h"

#include <shellapi.h>

#include <utility>

#include "chat_list_windows.h"
#include "embedded_images.h"
#include "gdi_layout_metrics.h"

namespace zorli {
namespace {

constexpr COLORREF kTipTextColour = 0xFFFFFF;
constexpr COLORREF kBubbleTextColour = 0x000000;
constexpr int32_t kMeasuringWidth = 1000;
constexpr int32_t kMeasuringHeight = 300;
constexpr char kLineSample[] = "\xC4\xE3\xBA\xC3";  // two Chinese characters

bool initialised = false;

void OpenWithShell(HWND owner, const GbkText& link) {
  ShellExecuteA(owner, "OPEN", link.c_str(), nullptr, nullptr, SW_SHOW);
}

bool LoadTipStyle(const void* bytes, size_t count, COLORREF textColour) {
  return Resources().tipStyle.Load(bytes, count, textColour);
}

bool RegisterClasses(ChatListResources& r) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof(WNDCLASSEXW);
  if (!GetClassInfoExW(nullptr, L"ListBox", &info)) return false;
  r.listBoxProc = info.lpfnWndProc;
  info.hInstance = r.instance;
  info.lpfnWndProc = ChatListProc;
  info.lpszClassName = kListClassName;
  r.listClass = RegisterClassExW(&info);
  if (r.listClass == 0) return false;
  info.lpfnWndProc = ChatFrameProc;
  info.lpszClassName = kFrameClassName;
  r.frameClass = RegisterClassExW(&info);
  return r.frameClass != 0;
}

void UnregisterClasses(ChatListResources& r) {
  for (ATOM* atom : {&r.listClass, &r.frameClass}) {
    if (*atom != 0)
      UnregisterClassW(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(*atom)), r.instance);
    *atom = 0;
  }
}

bool CreateMeasuringSurface(ChatListResources& r) {
  if (!r.measuringSurface.PrepareForScreen(kMeasuringWidth, kMeasuringHeight)) return false;
  SelectObject(r.measuringSurface.Dc(), r.font);
  GdiLayoutMetrics metrics(r.measuringSurface.Dc());
  r.lineHeight = metrics.MeasureText(kLineSample, 500, 100, MeasureMode::kWrapped).height;
  r.padding = (40 - r.lineHeight) / 2;
  return true;
}

// Releases what was set up before the failing part, which the system's error code names.
ChatListSetup Abandon(ChatListPart part) {
  const ChatListSetup failure{part, GetLastError()};
  ShutdownChatListStyles();
  return failure;
}

}  // namespace

ChatListResources& Resources() {
  static ChatListResources resources;
  return resources;
}

const BubbleStyle* StyleForIndex(int32_t index) {
  auto& styles = Resources().bubbleStyles;
  if (styles.empty()) return nullptr;
  if (index < 0 || index >= static_cast<int32_t>(styles.size())) index = 0;
  return &styles[static_cast<size_t>(index)];
}

ChatListSetup InitChatListStyles() {
  if (initialised) return {};
  ChatListResources& r = Resources();
  r.instance = GetModuleHandleA(nullptr);
  r.arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
  r.handCursor = LoadCursorA(nullptr, IDC_HAND);
  r.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

  Gdiplus::GdiplusStartupInput input;
  const Gdiplus::Status started = Gdiplus::GdiplusStartup(&r.gdiplusToken, &input, nullptr);
  if (started != Gdiplus::Ok) {
    r.gdiplusToken = 0;
    return ChatListSetup{ChatListPart::kGraphics, static_cast<uint32_t>(started)};
  }
  initialised = true;  // from here on a shutdown releases whatever was made
  if (!RegisterClasses(r)) return Abandon(ChatListPart::kWindowClasses);
  if (gdip::GdipCreateImageAttributes(&r.bubbleEdgeMode) == Gdiplus::Ok)
    gdip::GdipSetImageAttributesWrapMode(r.bubbleEdgeMode, Gdiplus::WrapModeTileFlipXY, 0, FALSE);

  // A picture that cannot be decoded stays empty and is drawn as nothing.
  using namespace embedded;
  LoadTipStyle(kTipBubblePng, kTipBubblePngSize, kTipTextColour);
  AddBubbleStyle(kBubbleStyle0Png, kBubbleStyle0PngSize, kBubbleTextColour);
  AddBubbleStyle(kBubbleStyle1Png, kBubbleStyle1PngSize, kBubbleTextColour);
  AddBubbleStyle(kBubbleStyle2Png, kBubbleStyle2PngSize, kBubbleTextColour);
  r.defaultAvatar.LoadFromBytes(kDefaultAvatarBmp, kDefaultAvatarBmpSize);
  r.defaultCardPicture.LoadFromBytes(kDefaultCardJpg, kDefaultCardJpgSize);
  if (!CreateMeasuringSurface(r)) return Abandon(ChatListPart::kMeasuringSurface);
  return {};
}

void ShutdownChatListStyles() {
  if (!initialised) return;
  ChatListResources& r = Resources();
  r.tipStyle.Release();
  r.bubbleStyles.clear();
  r.defaultAvatar.Release();
  r.defaultCardPicture.Release();
  r.measuringSurface.Release();
  r.paintSurface.Release();
  r.listSurface.Release();
  if (r.bubbleEdgeMode != nullptr) gdip::GdipDisposeImageAttributes(r.bubbleEdgeMode);
  r.bubbleEdgeMode = nullptr;
  UnregisterClasses(r);
  Gdiplus::GdiplusShutdown(r.gdiplusToken);
  r.gdiplusToken = 0;
  initialised = false;
}

int32_t BubbleStyleCount() { return static_cast<int32_t>(Resources().bubbleStyles.size()); }

int32_t AddBubbleStyle(const void* bytes, size_t count, COLORREF textColour) {
  auto& styles = Resources().bubbleStyles;
  if (!styles.emplace_back().Load(bytes, count, textColour)) {
    styles.pop_back();
    return -1;
  }
  return BubbleStyleCount() - 1;
}

int32_t VerticalTextPadding() { return Resources().padding; }

void SetChatListLinkOpener(LinkOpener opener) { Resources().linkOpener = std::move(opener); }

void OpenLink(HWND owner, const GbkText& link) {
  if (Resources().linkOpener)
    Resources().linkOpener(owner, link);
  else
    OpenWithShell(owner, link);
}

}  // namespace zorli
