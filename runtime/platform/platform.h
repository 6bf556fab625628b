#pragma once
// What differs between POSIX and Win32 underneath the runtime services.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorli::platform {

struct LocalTime {
  int32_t year, month, day, hour, minute, second;
};

// Milliseconds since an arbitrary start, wrapping at 2^32.
uint32_t TickCount();
void SleepMilliseconds(int32_t milliseconds);
LocalTime LocalTimeNow();

// Starts commandLine (GBK) without a shell. wait: until it ends; otherwise until it is idle
// for input, at most a second. show is a Win32 SW_* value.
bool StartProcess(const std::string& commandLine, bool wait, int show);
// Hands target to the desktop's default handler; verb nullptr is the default action.
void ShellLaunch(const char* verb, const std::string& target, const std::string& parameters,
                 const std::string& directory, int show);

// UTF-8 text for the developer (standard error; the debugger too on Windows).
void WriteDiagnostic(const std::string& utf8);

// One double-byte GBK character (exactly two bytes) to UTF-8; nullopt when unmapped.
std::optional<std::string> GbkPairToUtf8(std::string_view pair);
// A whole UTF-8 text to GBK; nullopt when malformed or not representable.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

}  // namespace zorli::platform
