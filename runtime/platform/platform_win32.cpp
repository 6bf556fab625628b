#include <windows.h>
#include <shellapi.h>

#include <ctime>
#include <cstdio>
#include <vector>

#include "platform.h"
#include "wide_text.h"

namespace zorli::platform {

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
  OutputDebugStringW(toWide(CodePage::kUtf8, utf8).c_str());
  std::fputs(utf8.c_str(), stderr);
}

std::optional<std::string> gbkPairToUtf8(std::string_view pair) {
  const std::optional<std::wstring> wide = toWideExact(CodePage::kGbk, pair);
  if (!wide || wide->size() != 1) return std::nullopt;
  return fromWideExact(CodePage::kUtf8, *wide);
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  const std::optional<std::wstring> wide = toWideExact(CodePage::kUtf8, utf8);
  if (!wide) return std::nullopt;
  return fromWideExact(CodePage::kGbk, *wide);
}

}  // namespace zorli::platform
