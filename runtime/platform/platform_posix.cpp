#include <iconv.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <string.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <system_error>
#include <thread>
#include <vector>

#include "platform.h"

extern char** environ;

namespace zorli::platform {
namespace {

// Splits a command line the way Windows programs read theirs: blanks separate words,
// double quotes group them.
std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else {
      word.push_back(c);
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

void WaitForExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
  }
}

// A child nobody waits for stays a zombie until we exit; this one is reaped when it ends.
void ReapWhenDone(pid_t pid) {
  try {
    std::thread(WaitForExit, pid).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the child stays a zombie until we exit, as it would unreaped.
  }
}

pid_t Spawn(const std::vector<std::string>& words) {
  if (words.empty()) return -1;
  std::vector<char*> argv;
  for (const std::string& w : words) argv.push_back(const_cast<char*>(w.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string output(input.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char* out = output.data();
  size_t outLeft = output.size();
  const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace

uint32_t TickCount() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u +
                               static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

void SleepMilliseconds(int32_t milliseconds) {
  timespec ts{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&ts, &ts) == -1 && errno == EINTR) {
  }
}

LocalTime LocalTimeNow() {
  const time_t t = time(nullptr);
  tm local{};
  localtime_r(&t, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

bool StartProcess(const std::string& commandLine, bool wait, int /*show*/) {
  const pid_t pid = Spawn(SplitCommandLine(commandLine));
  if (pid < 0) return false;
  if (wait) {
    WaitForExit(pid);
  } else {
    ReapWhenDone(pid);
  }
  return true;
}

void ShellLaunch(const char* /*verb*/, const std::string& target, const std::string& /*parameters*/,
                 const std::string& /*directory*/, int /*show*/) {
  // The desktop's opener; the Windows shell verbs have no counterpart here.
  const pid_t pid = Spawn({"xdg-open", target});
  if (pid >= 0) ReapWhenDone(pid);
}

bool LoadLibrariesFromSystemFolderOnly() { return true; }

void WipeBytes(void* data, size_t size) {
  if (size > 0) explicit_bzero(data, size);
}

void WriteDiagnostic(const std::string& utf8) { std::fputs(utf8.c_str(), stderr); }

std::optional<std::string> GbkPairToUtf8(std::string_view pair) {
  return Convert("UTF-8", "CP936", pair);
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  return Convert("CP936", "UTF-8", utf8);
}

}  // namespace zorli::platform
