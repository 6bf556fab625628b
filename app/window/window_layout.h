#pragma once
// The main window's template: title, outer size, and every control's place inside its
// container. Positions are client coordinates of the container.
#include <windows.h>

namespace zorli::window {

constexpr wchar_t kTitle[] = L"Kadu机器人Zorli 测试版 -未完善";
constexpr int kWindowWidth = 450;
constexpr int kWindowHeight = 600;
constexpr DWORD kWindowStyle =
    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_DLGFRAME | WS_CLIPCHILDREN;

struct ControlPlace {
  int id;
  int left, top, width, height;
};

// Control identifiers, in creation order within their container.
enum ControlId : int {
  kSendButtonId = 101,   // 超级按钮1
  kMessageBoxId,         // 编辑框_内容
  kNicknameBoxId,        // 编辑框_昵称
  kRightSideCheckId,     // 选择框_靠右显示
  kShowNicknameCheckId,  // 选择框_昵称显示
  kNicknameLabelId,      // 标签1
  kMessageLabelId,       // 标签2
  kPictureBoxId,         // 图片框1
  kShapeBoxId,           // 外形框1
};

// The order in which Tab moves the focus, as in a dialog; Shift+Tab goes backwards.
constexpr int kTabOrder[] = {kNicknameBoxId, kMessageBoxId, kRightSideCheckId, kShowNicknameCheckId,
                             kSendButtonId};

// Children of the window itself.
constexpr ControlPlace kPictureBox{kPictureBoxId, 6, 8, 432, 424};
constexpr ControlPlace kShapeBox{kShapeBoxId, 6, 439, 432, 128};
// Children of the shape box.
constexpr ControlPlace kSendButton{kSendButtonId, 344, 56, 80, 38};
constexpr ControlPlace kMessageBox{kMessageBoxId, 72, 40, 256, 80};
constexpr ControlPlace kNicknameBox{kNicknameBoxId, 72, 8, 168, 20};
constexpr ControlPlace kRightSideCheck{kRightSideCheckId, 248, 8, 80, 20};
constexpr ControlPlace kShowNicknameCheck{kShowNicknameCheckId, 344, 8, 80, 20};
constexpr ControlPlace kNicknameLabel{kNicknameLabelId, 8, 8, 64, 20};
constexpr ControlPlace kMessageLabel{kMessageLabelId, 8, 32, 64, 20};

constexpr wchar_t kSendButtonText[] = L"发  送 (&S)";
constexpr wchar_t kSendButtonTooltip[] = L"Ctrl+Enter键可直接发送";
constexpr wchar_t kInitialNickname[] = L" Velan-";
constexpr wchar_t kRightSideText[] = L"靠右显示";
constexpr wchar_t kShowNicknameText[] = L"昵称显示";
constexpr wchar_t kNicknameLabelText[] = L"用户昵称：";
constexpr wchar_t kMessageLabelText[] = L"消息内容：";

constexpr COLORREF kShapeBoxLineColour = RGB(96, 96, 96);
constexpr COLORREF kEditTextColour = RGB(0, 0, 0);
constexpr COLORREF kEditBackColour = RGB(255, 255, 255);
constexpr COLORREF kLabelTextColour = RGB(0, 0, 0);

}  // namespace zorli::window
