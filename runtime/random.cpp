#include "random.h"

#include <algorithm>
#include <atomic>

#include "platform/platform.h"

namespace zorli {
namespace {

thread_local uint32_t generatorState = 1;
std::atomic<uint32_t> seedCounter{0};

}  // namespace

void seedRandom(std::optional<int32_t> seed) {
  if (seed) {
    generatorState = static_cast<uint32_t>(*seed);
    return;
  }
  const uint32_t counter = seedCounter.load();
  const uint32_t s = platform::TickCount() + counter;
  seedCounter.store(counter + (s & 255u) + 100u);
  generatorState = s;
}

int32_t DrawRandom() {
  generatorState = generatorState * 214013u + 2531011u;
  return static_cast<int32_t>((generatorState >> 16) & 0x7FFFu);
}

int32_t randomInRange(std::optional<int32_t> low, std::optional<int32_t> high) {
  const int32_t lo = std::max<int32_t>(low.value_or(0), 0);
  const int32_t hi = std::max<int32_t>(high.value_or(2147483647), 0);
  const int32_t a = std::min(lo, hi);
  const int32_t b = std::max(lo, hi);
  if (a == b) return a;
  const int32_t span = std::min<int32_t>(b - a, 2147483646);
  return a + DrawRandom() % (span + 1);
}

}  // namespace zorli
