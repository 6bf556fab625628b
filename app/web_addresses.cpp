#include "web_addresses.h"

#include "conversation_texts.h"

namespace zorli {
namespace {

constexpr std::string_view kSearchPath = "/s";
constexpr std::string_view kSearchQueryBeforeKeyword = "?ct=0&ie=gb2312&bs=&sr=&z=&wd=";
constexpr std::string_view kSearchQueryAfterKeyword = "&cl=3&f=8";

// The unreserved characters of a URL. Anything else, a GBK byte above all, would be
// converted or split on its way through the shell and the browser's command line.
bool MustBeEncoded(unsigned char byte) {
  const bool alphanumeric =
      (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9');
  return !alphanumeric && byte != '-' && byte != '.' && byte != '_' && byte != '~';
}

GbkText PercentEncoded(std::string_view keyword) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  GbkText encoded;
  for (const char c : keyword) {
    const auto byte = static_cast<unsigned char>(c);
    if (MustBeEncoded(byte)) {
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0xF];
    } else {
      encoded += c;
    }
  }
  return encoded;
}

}  // namespace

GbkText NewsCommandLine() { return JoinTexts({kNewsProgram, " ", kNewsPortalUrl}); }

GbkText SearchUrl(std::string_view keyword) {
  const GbkText prefix = JoinTexts({kSearchEngineHost, kSearchPath, kSearchQueryBeforeKeyword});
  return JoinTexts({prefix, PercentEncoded(keyword), kSearchQueryAfterKeyword});
}

}  // namespace zorli
