#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <ctime>
#include <vector>

#include "platform.h"
#include "wide_text.h"

namespace zorli::platform {

uint32_t TickCount() { return GetTickCount(); }

void SleepMilliseconds(int32_t milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

LocalTime LocalTimeNow() {
  const time_t t = time(nullptr);
  tm local{};
  localtime_s(&local, &t);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

bool StartProcess(const std::string& commandLine, bool wait, int show) {
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

void ShellLaunch(const char* verb, const std::string& target, const std::string& parameters,
                 const std::string& directory, int show) {
  ShellExecuteA(nullptr, verb, target.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                directory.c_str(), show);
}

void WriteDiagnostic(const std::string& utf8) {
  OutputDebugStringW(ToWide(CodePage::kUtf8, utf8).c_str());
  std::fputs(utf8.c_str(), stderr);
}

std::optional<std::string> GbkPairToUtf8(std::string_view pair) {
  const std::optional<std::wstring> wide = ToWideExact(CodePage::kGbk, pair);
  if (!wide || wide->size() != 1) return std::nullopt;
  return FromWideExact(CodePage::kUtf8, *wide);
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  const std::optional<std::wstring> wide = ToWideExact(CodePage::kUtf8, utf8);
  if (!wide) return std::nullopt;
  return FromWideExact(CodePage::kGbk, *wide);
}

}  // namespace zorli::platform
