// Every allocation above 256 MiB fails in these tests, as it does in a 32-bit process and
// under the fuzzer's limit: a size taken from a file before it was checked shows up as
// std::bad_alloc instead of as gigabytes quietly taken.
#include <cstdlib>
#include <new>

namespace {
constexpr std::size_t kAllocationLimit = std::size_t(256) << 20;
}

void* operator new(std::size_t size) {
  if (size <= kAllocationLimit) {
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  }
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
