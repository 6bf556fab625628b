// Helper process for the lock tests: lock_holder FILE MILLISECONDS FLAG OFFSET...
// locks one byte at each offset, creates FLAG, holds the locks, then exits.
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/file.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  zorli::platform::File file;
  if (file.Open(argv[1], true, zorli::platform::FileSharing::kDenyNone) !=
      zorli::platform::FileError::kNone) {
    return 1;
  }
  for (int i = 4; i < argc; ++i) {
    if (file.Lock(std::strtoull(argv[i], nullptr, 10), 1) != zorli::platform::FileError::kNone) {
      return 1;
    }
  }
  std::ofstream(argv[3]) << "locked";
  zorli::platform::SleepMilliseconds(std::atoi(argv[2]));
  return 0;
}
