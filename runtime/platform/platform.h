#pragma once
// What differs between POSIX and Win32 underneath the runtime services.
#include <cstddef>
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
// for input, at most a second. show is a Win32 SW_* value. On Windows a program named
// without a folder is taken from the Windows folder or System32 only.
bool StartProcess(const std::string& commandLine, bool wait, int show);
// Hands target to the desktop's default handler; verb nullptr is the default action.
void ShellLaunch(const char* verb, const std::string& target, const std::string& parameters,
                 const std::string& directory, int show);

// Windows: DLLs loaded from now on, by us or by system code on our behalf, come from
// System32 only, never from our folder or the current one. First thing in every program;
// false when the system cannot restrict the search. Nothing to do on POSIX.
bool LoadLibrariesFromSystemFolderOnly();

// Overwrites size bytes with zeros in a way the compiler may not drop: a password's copy
// before its memory is released.
void WipeBytes(void* data, size_t size);

// UTF-8 text for the developer (standard error; the debugger too on Windows).
void WriteDiagnostic(const std::string& utf8);

// One double-byte GBK character (exactly two bytes) to UTF-8; nullopt when unmapped.
std::optional<std::string> GbkPairToUtf8(std::string_view pair);
// A whole UTF-8 text to GBK; nullopt when malformed or not representable.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

}  // namespace zorli::platform
