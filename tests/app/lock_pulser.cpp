// Helper process for the engine's lock tests, a stand-in for another program writing the
// knowledge files: lock_pulser FILE OFFSET HOLD_MS EVERY_MS READY STOP
// locks the byte at OFFSET of FILE for HOLD_MS out of every EVERY_MS, creates READY
// once it has held the lock, and ends (removing READY) when STOP exists, after a minute
// at the latest.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/file.h"
#include "platform/platform.h"

namespace {

constexpr uint32_t kLongestRunMs = 60000;
constexpr int kStepMs = 10;  // how soon a long hold notices STOP

bool Exists(const char* path) { return std::ifstream(path).good(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) return 2;
  const uint64_t offset = std::strtoull(argv[2], nullptr, 10);
  const int holdMs = std::atoi(argv[3]);
  const int everyMs = std::atoi(argv[4]);
  const char* ready = argv[5];
  const char* stop = argv[6];
  zorli::platform::File file;
  if (file.Open(argv[1], true, zorli::platform::FileSharing::kDenyNone) !=
      zorli::platform::FileError::kNone) {
    return 1;
  }
  const uint32_t start = zorli::platform::TickCount();
  while (!Exists(stop) && zorli::platform::TickCount() - start < kLongestRunMs) {
    // The reader may hold the byte itself for a moment; then this round is skipped.
    if (file.Lock(offset, 1) == zorli::platform::FileError::kNone) {
      if (!Exists(ready)) std::ofstream(ready) << "locked";
      for (int held = 0; held < holdMs && !Exists(stop); held += kStepMs) {
        zorli::platform::SleepMilliseconds(std::min(kStepMs, holdMs - held));
      }
      file.Unlock(offset, 1);
    }
    zorli::platform::SleepMilliseconds(everyMs - holdMs);
  }
  file.Close();
  std::remove(ready);
  return 0;
}
