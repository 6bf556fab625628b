#include "console.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#endif

namespace zorli::edbtool {
namespace {

std::FILE* redirectedOut = nullptr;
std::FILE* redirectedError = nullptr;

std::FILE* outStream() { return redirectedOut != nullptr ? redirectedOut : stdout; }
std::FILE* errorStream() { return redirectedError != nullptr ? redirectedError : stderr; }

}  // namespace

void RedirectOutput(std::FILE* out, std::FILE* error) {
  redirectedOut = out;
  redirectedError = error;
}

bool OutputComplete() { return std::fflush(outStream()) == 0 && !std::ferror(outStream()); }

#ifdef _WIN32
namespace {

std::string narrow(const std::wstring& text, UINT codePage) {
  const int n = WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(codePage, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring widen(const std::string& text, UINT codePage) {
  const int n = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(codePage, 0, text.c_str(), -1, out.data(), n);
  return out;
}

void setBinary() {
  static const bool done = [] {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return true;
  }();
  (void)done;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(narrow(words[i], CP_UTF8));
  LocalFree(words);
  return arguments;
}

std::string NativePath(const std::string& utf8) { return narrow(widen(utf8, CP_UTF8), CP_ACP); }

void WriteOut(const std::string& utf8) {
  setBinary();
  std::fwrite(utf8.data(), 1, utf8.size(), outStream());
}

void WriteError(const std::string& utf8) {
  setBinary();
  std::fwrite(utf8.data(), 1, utf8.size(), errorStream());
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::string NativePath(const std::string& utf8) { return utf8; }

void WriteOut(const std::string& utf8) { std::fwrite(utf8.data(), 1, utf8.size(), outStream()); }

void WriteError(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), errorStream());
}

#endif

}  // namespace zorli::edbtool
