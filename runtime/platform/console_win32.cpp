#include "console.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "wide_text.h"

namespace zorli::platform {

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(FromWide(CodePage::kUtf8, words[i]));
  LocalFree(words);
  return arguments;
}

std::string NativePath(const std::string& utf8) {
  return FromWide(CodePage::kGbk, ToWide(CodePage::kUtf8, utf8));
}

}  // namespace zorli::platform
