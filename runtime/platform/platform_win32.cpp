#include <windows.h>
#include <shellapi.h>

#include <ctime>
#include <cstdio>
#include <vector>

#include "platform.h"

namespace zorli::platform {
namespace {

constexpr UINT kGbkCodePage = 936;

std::wstring toWide(UINT codePage, std::string_view text, DWORD flags) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(codePage, flags, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(),
                      length);
  return wide;
}

std::optional<std::string> fromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, usedDefaultOut);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                      nullptr, nullptr);
  return text;
}

}  // namespace

uint32_t tickCount() { return GetTickCount(); }

void sleepMilliseconds(int32_t milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

LocalTime localTimeNow() {
  const time_t t = time(nullptr);
  tm local{};
  localtime_s(&local, &t);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour, local.tm_min, local.tm_sec};
}

bool startProcess(const std::string& commandLine, bool wait, int show) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process{};
  std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back('\0');
  if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  if (wait) {
    WaitForSingleObject(process.hProcess, INFINITE);
  } else {
    WaitForInputIdle(process.hProcess, 1000);
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

void shellExecute(const char* verb, const std::string& target, const std::string& parameters,
                  const std::string& directory, int show) {
  ShellExecuteA(nullptr, verb, target.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                directory.c_str(), show);
}

void writeDiagnostic(const std::string& utf8) {
  OutputDebugStringW(toWide(CP_UTF8, utf8, 0).c_str());
  std::fputs(utf8.c_str(), stderr);
}

std::optional<std::string> gbkPairToUtf8(std::string_view pair) {
  const std::wstring wide = toWide(kGbkCodePage, pair, MB_ERR_INVALID_CHARS);
  if (wide.size() != 1) return std::nullopt;
  return fromWide(CP_UTF8, wide);
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  const std::wstring wide = toWide(CP_UTF8, utf8, MB_ERR_INVALID_CHARS);
  if (wide.empty()) return std::nullopt;
  return fromWide(kGbkCodePage, wide);
}

}  // namespace zorli::platform
