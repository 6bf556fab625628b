#pragma once
// A full check of the current database, for tools: every field of every record is read,
// and the auxiliary file's value chains and free list are walked block by block.
#include <cstdint>
#include <string>
#include <vector>

namespace zorli {

struct VerifyProblem {
  // A field that cannot be read: its record and field (1-based) and the result code.
  int32_t record = 0;
  int32_t field = 0;
  int32_t code = 0;
  // Otherwise a block of the auxiliary file (0: its header) and what is wrong with it.
  int32_t block = 0;
  std::string what;
};

// Moves the cursor. Empty when nothing is wrong (or no database is current).
std::vector<VerifyProblem> VerifyCurrentDatabase();

}  // namespace zorli
