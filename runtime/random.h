#pragma once
// The seeded generator of the conversation: the classic linear congruential rand(),
// implemented here so that every platform draws the same sequence.
#include <cstdint>
#include <optional>

namespace zorli {

// With a seed: the generator state becomes the seed. Without: the tick count plus a
// process-wide counter, so two seedings in the same millisecond still differ.
void seedRandom(std::optional<int32_t> seed = std::nullopt);
// One value from 0 to 32767.
int32_t DrawRandom();
// Inclusive range; negative bounds count as 0 and the order of the bounds does not matter.
int32_t randomInRange(std::optional<int32_t> low = std::nullopt,
                      std::optional<int32_t> high = std::nullopt);

}  // namespace zorli
