#include "web_addresses.h"

#include "conversation_texts.h"

namespace zorli {
namespace {

constexpr std::string_view kSearchPath = "/s";
constexpr std::string_view kSearchQueryBeforeKeyword = "?ct=0&ie=gb2312&bs=&sr=&z=&wd=";
constexpr std::string_view kSearchQueryAfterKeyword = "&cl=3&f=8";

}  // namespace

GbkText NewsCommandLine() { return JoinTexts({kNewsProgram, " ", kNewsPortalUrl}); }

GbkText SearchUrl(std::string_view keyword) {
  const GbkText prefix = JoinTexts({kSearchEngineHost, kSearchPath, kSearchQueryBeforeKeyword});
  return JoinTexts({prefix, keyword, kSearchQueryAfterKeyword});
}

}  // namespace zorli
