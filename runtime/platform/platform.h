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
uint32_t tickCount();
void sleepMilliseconds(int32_t milliseconds);
LocalTime localTimeNow();

// Starts commandLine (GBK) without a shell. wait: until it ends; otherwise until it is idle
// for input, at most a second. show is a Win32 SW_* value.
bool startProcess(const std::string& commandLine, bool wait, int show);
// Hands target to the desktop's default handler; verb nullptr is the default action.
void shellExecute(const char* verb, const std::string& target, const std::string& parameters,
                  const std::string& directory, int show);

// UTF-8 text for the developer (standard error; the debugger too on Windows).
void writeDiagnostic(const std::string& utf8);

// One double-byte GBK character (exactly two bytes) to UTF-8; nullopt when unmapped.
std::optional<std::string> gbkPairToUtf8(std::string_view pair);
// A whole UTF-8 text to GBK; nullopt when malformed or not representable.
std::optional<std::string> utf8ToGbk(std::string_view utf8);

}  // namespace zorli::platform
