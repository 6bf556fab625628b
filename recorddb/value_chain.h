#pragma once
// Memo and byte-set values: chains of 512-byte blocks in the auxiliary file.
#include <cstdint>
#include <functional>
#include <string>

#include "ciphered_file.h"

namespace zorli::edb {

// Reads the value starting at firstBlock (0: empty), locking each block's first byte
// while it is read. A chain that loops, leaves the file, names a negative block or a
// block whose used count exceeds its data area ends with -59; the value then never
// holds more bytes than the file. Result: 0 or a code.
ErrorCode ReadValueChain(CipheredFile& aux, int32_t firstBlock, std::string& value);

// Stores value in place of the chain at oldFirstBlock, reusing its blocks first, then
// free blocks, then new ones; left-over blocks go to the free list and free blocks at
// the end of the file are cut off. EDT byte 0 is locked while the header changes. A
// free block outside the file, not marked free, or already part of this value (a list
// that points into a live chain or loops) fails with -59 before anything is written.
// pointAt(first block of the value, 0 when empty) is called once the value's blocks are
// written and before any block is freed, so what points at the value never points into
// the free list.
ErrorCode WriteValueChain(CipheredFile& aux, int32_t oldFirstBlock, const std::string& value,
                          const std::function<ErrorCode(int32_t firstBlock)>& pointAt);

}  // namespace zorli::edb
