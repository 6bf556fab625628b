#pragma once
// The conversation's own fixed texts, GBK bytes (the characters are in the comments).
// Hex escapes are split from following hex-digit letters by closing the literal.
#include <string_view>

namespace zorli {

constexpr std::string_view kBotNickname = "KaduZorli";
// 我是Zorli啊，善解人意，偶尔逗比。。。 :)
constexpr std::string_view kGreeting =
    "\xce\xd2\xca\xc7Zorli\xb0\xa1\xa3\xac\xc9\xc6\xbd\xe2\xc8\xcb\xd2\xe2\xa3\xac\xc5\xbc\xb6"
    "\xfb\xb6\xba\xb1\xc8\xa1\xa3\xa1\xa3\xa1\xa3 :)";

// 几点了, 时间: asking for the time, tested in this order.
constexpr std::string_view kTimeKeywordFirst = "\xbc\xb8\xb5\xe3\xc1\xcb";
constexpr std::string_view kTimeKeywordSecond = "\xca\xb1\xbc\xe4";
// 新闻
constexpr std::string_view kNewsKeyword = "\xd0\xc2\xce\xc5";
constexpr std::string_view kNewsProgram = "Explorer";
// #搜索: the marker, then one separator byte, then the keyword.
constexpr std::string_view kSearchMarker = "#\xcb\xd1\xcb\xf7";
// 已执行搜索，并且打开了浏览器！
constexpr std::string_view kSearchReply =
    "\xd2\xd1\xd6\xb4\xd0\xd0\xcb\xd1\xcb\xf7\xa3\xac\xb2\xa2\xc7\xd2\xb4\xf2\xbf\xaa\xc1\xcb"
    "\xe4\xaf\xc0\xc0\xc6\xf7\xa3\xa1";
// 复制粘贴玩的挺溜啊，
constexpr std::string_view kTeasingReply =
    "\xb8\xb4\xd6\xc6\xd5\xb3\xcc\xf9\xcd\xe6\xb5\xc4\xcd\xa6\xc1\xef\xb0\xa1\xa3\xac";
// A knowledge file that cannot be used: 哎呀，当前文件夹里的知识库文件, then per file
// " dbs.edb 打不开（reason）" or "读不出来", joined by "，", then
// "，我现在脑袋空空，没法好好回答你。"
constexpr std::string_view kUnavailableIntro =
    "\xb0\xa5\xd1\xbd\xa3\xac\xb5\xb1\xc7\xb0\xce\xc4\xbc\xfe\xbc\xd0\xc0\xef\xb5\xc4"
    "\xd6\xaa\xca\xb6\xbf\xe2\xce\xc4\xbc\xfe";
constexpr std::string_view kCannotOpen = "\xb4\xf2\xb2\xbb\xbf\xaa";
constexpr std::string_view kCannotRead = "\xb6\xc1\xb2\xbb\xb3\xf6\xc0\xb4";
constexpr std::string_view kReasonOpen = "\xa3\xa8";
constexpr std::string_view kReasonClose = "\xa3\xa9";
constexpr std::string_view kUnavailableSeparator = "\xa3\xac";
constexpr std::string_view kUnavailableOutro =
    "\xa3\xac\xce\xd2\xcf\xd6\xd4\xda\xc4\xd4\xb4\xfc\xbf\xd5\xbf\xd5\xa3\xac\xc3\xbb"
    "\xb7\xa8\xba\xc3\xba\xc3\xbb\xd8\xb4\xf0\xc4\xe3\xa1\xa3";

// Pieces of a bot entry: hour:minute:second, the reply between the two breaks.
constexpr std::string_view kTimeSeparator = ":";
constexpr std::string_view kBeforeReply = "\r\n\r\n    ";
constexpr std::string_view kAfterReply = "\r\n\r\n";

}  // namespace zorli
