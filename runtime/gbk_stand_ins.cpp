#include "gbk_stand_ins.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "gbk_convert.h"

namespace zorli {
namespace {

struct EmojiName {
  char32_t codePoint;
  const char* utf8Name;  // without the brackets
};

// The emoji people type most, sorted by code point for the binary search.
constexpr EmojiName kEmojiNames[] = {
    {0x2600, "太阳"},    {0x263A, "微笑"},  {0x2705, "对勾"},  {0x270C, "耶"},    {0x2728, "闪亮"},
    {0x274C, "叉"},      {0x2764, "爱心"},  {0x2B50, "星星"},  {0x1F319, "月亮"}, {0x1F339, "玫瑰"},
    {0x1F381, "礼物"},   {0x1F382, "蛋糕"}, {0x1F389, "庆祝"}, {0x1F436, "狗头"}, {0x1F44B, "挥手"},
    {0x1F44C, "好的"},   {0x1F44D, "赞"},   {0x1F44E, "踩"},   {0x1F44F, "鼓掌"}, {0x1F47B, "幽灵"},
    {0x1F494, "心碎"},   {0x1F495, "心心"}, {0x1F4A9, "便便"}, {0x1F4AA, "加油"}, {0x1F4AF, "满分"},
    {0x1F525, "火"},     {0x1F600, "嘿嘿"}, {0x1F601, "呲牙"}, {0x1F602, "笑哭"}, {0x1F603, "开心"},
    {0x1F604, "大笑"},   {0x1F605, "汗笑"}, {0x1F606, "哈哈"}, {0x1F607, "天使"}, {0x1F609, "眨眼"},
    {0x1F60A, "害羞笑"}, {0x1F60B, "馋"},   {0x1F60D, "花痴"}, {0x1F60E, "酷"},   {0x1F60F, "坏笑"},
    {0x1F610, "无语"},   {0x1F612, "不屑"}, {0x1F614, "失落"}, {0x1F618, "飞吻"}, {0x1F61C, "调皮"},
    {0x1F620, "发怒"},   {0x1F621, "生气"}, {0x1F622, "流泪"}, {0x1F62D, "大哭"}, {0x1F631, "惊恐"},
    {0x1F633, "脸红"},   {0x1F634, "睡觉"}, {0x1F637, "口罩"}, {0x1F642, "淡笑"}, {0x1F644, "白眼"},
    {0x1F648, "捂眼"},   {0x1F64F, "拜托"}, {0x1F914, "思考"}, {0x1F917, "抱抱"}, {0x1F921, "小丑"},
    {0x1F923, "笑翻"},
};

// Parts of an emoji sequence that carry no meaning of their own once the emoji is named:
// the joiner, the variation selectors, the keycap and the skin tones.
bool IsEmojiModifier(char32_t c) {
  return c == 0x200D || c == 0xFE0E || c == 0xFE0F || c == 0x20E3 || (c >= 0x1F3FB && c <= 0x1F3FF);
}

struct Decoded {
  char32_t codePoint = 0;
  size_t length = 1;
  bool valid = false;
};

// One UTF-8 sequence at the start of text; an invalid one counts as one byte.
Decoded DecodeUtf8(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1, true};
  size_t length = 0;
  char32_t c = 0, smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2, c = lead & 0x1F, smallest = 0x80;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3, c = lead & 0x0F, smallest = 0x800;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4, c = lead & 0x07, smallest = 0x10000;
  else
    return {};
  if (text.size() < length) return {};
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {};
    c = (c << 6) | (byte(i) & 0x3F);
  }
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
  return {c, length, true};
}

// □ (U+25A1) in GBK.
constexpr std::string_view kMissingCharacter = "\xA1\xF5";

}  // namespace

GbkText EmojiStandIn(char32_t codePoint) {
  const auto* end = std::end(kEmojiNames);
  const auto* found =
      std::lower_bound(std::begin(kEmojiNames), end, codePoint,
                       [](const EmojiName& name, char32_t c) { return name.codePoint < c; });
  if (found == end || found->codePoint != codePoint) return {};
  const std::optional<std::string> name = Utf8ToGbk(found->utf8Name);
  return name && !name->empty() ? "[" + *name + "]" : GbkText();
}

std::vector<char32_t> NamedEmoji() {
  std::vector<char32_t> codePoints;
  for (const EmojiName& name : kEmojiNames) codePoints.push_back(name.codePoint);
  return codePoints;
}

GbkText Utf8ToGbkWithStandIns(std::string_view utf8) {
  if (utf8.find('\0') == std::string_view::npos) {
    if (auto whole = Utf8ToGbk(utf8)) return *whole;
  }
  GbkText gbk;
  for (size_t i = 0; i < utf8.size();) {
    const Decoded decoded = DecodeUtf8(utf8.substr(i));
    const std::string_view sequence = utf8.substr(i, decoded.length);
    i += decoded.length;
    if (!decoded.valid || decoded.codePoint == 0) {
      gbk += kMissingCharacter;
    } else if (auto character = Utf8ToGbk(sequence)) {
      gbk += *character;
    } else if (GbkText name = EmojiStandIn(decoded.codePoint); !name.empty()) {
      gbk += name;
    } else if (!IsEmojiModifier(decoded.codePoint)) {
      gbk += kMissingCharacter;
    }
  }
  return gbk;
}

}  // namespace zorli
