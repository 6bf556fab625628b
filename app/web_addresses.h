#pragma once
// Where the news and search rules send the browser. The portal and the search host are
// our choice; the command word, the path and the query keys are fixed.
#include <string_view>

#include "gbk_text.h"

namespace zorli {

constexpr std::string_view kNewsPortalUrl = "https://news.sina.com.cn/";
constexpr std::string_view kSearchEngineHost = "https://www.baidu.com";

// "Explorer" and the portal's front page.
GbkText NewsCommandLine();
// The result page for keyword, pure ASCII: every byte of the keyword but letters, digits
// and "-._~" is percent-encoded, so the GBK bytes reach the engine whatever the system's
// code page.
GbkText SearchUrl(std::string_view keyword);

}  // namespace zorli
