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

namespace {

// The program word of a command line: up to the closing quote when it is quoted, else up
// to the first blank.
std::wstring ProgramWord(const std::wstring& commandLine) {
  if (!commandLine.empty() && commandLine[0] == L'"') {
    const size_t end = commandLine.find(L'"', 1);
    return commandLine.substr(1, end == std::wstring::npos ? std::wstring::npos : end - 1);
  }
  return commandLine.substr(0, commandLine.find_first_of(L" \t"));
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FolderPath(UINT(WINAPI* query)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH];
  const UINT n = query(buffer, MAX_PATH);
  return n == 0 || n >= MAX_PATH ? std::wstring() : std::wstring(buffer, n);
}

// The program a command line names, as a full path. A bare name is taken from the Windows
// folder or System32 only: never from our own folder, the current folder or PATH, where a
// stranger may have put a program of that name.
std::optional<std::wstring> ProgramPath(const std::wstring& commandLine) {
  std::wstring word = ProgramWord(commandLine);
  if (word.empty()) return std::nullopt;
  if (word.find_first_of(L"\\/:") != std::wstring::npos) {
    wchar_t full[MAX_PATH * 4];
    const DWORD n = GetFullPathNameW(word.c_str(), MAX_PATH * 4, full, nullptr);
    if (n == 0 || n >= MAX_PATH * 4) return std::nullopt;
    return std::wstring(full, n);
  }
  if (word.find(L'.') == std::wstring::npos) word += L".exe";
  for (const auto query : {&GetWindowsDirectoryW, &GetSystemDirectoryW}) {
    const std::wstring folder = FolderPath(query);
    if (!folder.empty() && IsFile(folder + L"\\" + word)) return folder + L"\\" + word;
  }
  return std::nullopt;
}

}  // namespace

bool StartProcess(const std::string& commandLine, bool wait, int show) {
  const std::optional<std::wstring> wideLine = ToWideExact(CodePage::kGbk, commandLine);
  if (!wideLine) return false;
  const std::optional<std::wstring> program = ProgramPath(*wideLine);
  if (!program) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process{};
  std::vector<wchar_t> mutableLine(wideLine->begin(), wideLine->end());
  mutableLine.push_back(L'\0');
  if (!CreateProcessW(program->c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
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
  const std::wstring wideVerb = verb != nullptr ? ToWide(CodePage::kUtf8, verb) : std::wstring();
  const std::wstring wideParameters = ToWide(CodePage::kGbk, parameters);
  ShellExecuteW(nullptr, verb != nullptr ? wideVerb.c_str() : nullptr,
                ToWide(CodePage::kGbk, target).c_str(),
                parameters.empty() ? nullptr : wideParameters.c_str(),
                ToWide(CodePage::kGbk, directory).c_str(), show);
}

bool LoadLibrariesFromSystemFolderOnly() {
  return SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != 0;
}

void WipeBytes(void* data, size_t size) {
  if (size > 0) SecureZeroMemory(data, size);
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
