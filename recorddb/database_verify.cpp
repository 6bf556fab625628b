#include "database_verify.h"

#include "database_state.h"
#include "error_codes.h"
#include "record_database.h"

namespace zorli {
namespace edb {
namespace {

constexpr int32_t kFreeList = -1;

std::string ValueName(int32_t record, int32_t field) {
  return "record " + std::to_string(record) + " field " + std::to_string(field);
}

// Walks the value chains and the free list, marking each block with its owner: a chain
// number from 1, or kFreeList. Every block must be in the file, owned once, and hold a
// used size that fits its kind.
class BlockWalk {
 public:
  BlockWalk(CipheredFile& aux, int32_t blockCount, std::vector<VerifyProblem>& problems)
      : aux_(aux), owners_(static_cast<size_t>(blockCount), 0), problems_(problems) {}

  void Chain(int32_t first, const std::string& owner) { Walk(first, ++chains_, owner); }

  void FreeList(int32_t head, int32_t freeCount) {
    const int32_t length = Walk(head, kFreeList, "the free list");
    if (length != freeCount) {
      Report(0, "free count " + std::to_string(freeCount) + ", but the free list holds " +
                    std::to_string(length) + " blocks");
    }
  }

 private:
  // The number of blocks walked; the walk stops at the first block it cannot follow.
  int32_t Walk(int32_t block, int32_t id, const std::string& owner) {
    int32_t length = 0;
    for (; block != 0; ++length) {
      const std::string problem = Follow(block, id, owner);
      if (!problem.empty()) {
        Report(block, problem);
        break;
      }
    }
    return length;
  }

  // Marks block and moves on to its next; what stops the walk, or "".
  std::string Follow(int32_t& block, int32_t id, const std::string& owner) {
    if (block < 1 || static_cast<size_t>(block) >= owners_.size()) {
      return "outside the file, reached from " + owner;
    }
    int32_t& mark = owners_[static_cast<size_t>(block)];
    if (mark == id) return owner + " loops back to it";
    if (mark != 0) return "used twice, again by " + owner;
    mark = id;
    EdtBlock data;
    size_t got = 0;
    if (aux_.Read(uint64_t(block) * kEdtBlockSize, data.bytes.data(), kEdtBlockSize, got) != kOk ||
        got < kEdtBlockSize) {
      return "cannot be read";
    }
    const bool free = id == kFreeList;
    if (free ? data.Used() != 0 : (data.Used() < 1 || data.Used() > kEdtBlockDataSize)) {
      Report(block, "used size " + std::to_string(data.Used()) + " in " + owner);
    }
    block = data.Next();
    return "";
  }

  void Report(int32_t block, std::string what) {
    VerifyProblem problem;
    problem.block = block;
    problem.what = std::move(what);
    problems_.push_back(std::move(problem));
  }

  CipheredFile& aux_;
  std::vector<int32_t> owners_;
  std::vector<VerifyProblem>& problems_;
  int32_t chains_ = 0;
};

// The first block of every byte-set and memo value, as stored in the records.
void WalkChains(RecordDatabase& db, int32_t count, std::vector<VerifyProblem>& problems) {
  EdtHeader header;
  size_t got = 0;
  if (db.aux.Read(0, header.bytes.data(), kEdtHeaderSize, got) != kOk || got < kEdtHeaderSize) {
    problems.push_back({0, 0, 0, 0, "the header cannot be read"});
    return;
  }
  BlockWalk walk(db.aux, header.BlockCount(), problems);
  for (int32_t record = 0; record < count; ++record) {
    for (size_t f = 0; f < db.fields.size(); ++f) {
      const FieldDescriptor& field = db.fields[f];
      if (!IsChainType(field.Type())) continue;
      if (field.Offset() + field.Width() > db.RecordSize()) continue;  // reported by its read
      uint8_t first[4];
      if (db.main.Read(db.RecordOffset(record) + uint64_t(field.Offset()), first, 4, got) != kOk ||
          got < 4) {
        continue;
      }
      walk.Chain(ReadInt32(first), ValueName(record + 1, static_cast<int32_t>(f + 1)));
    }
  }
  walk.FreeList(header.FreeHead(), header.FreeCount());
}

}  // namespace
}  // namespace edb

std::vector<VerifyProblem> VerifyCurrentDatabase() {
  std::vector<VerifyProblem> problems;
  edb::RecordDatabase* db = edb::CurrentDatabase();
  if (db == nullptr) return problems;
  const int32_t count = GetRecordCount();
  for (int32_t record = 1; record <= count; ++record) {
    for (int32_t field = 1; field <= static_cast<int32_t>(db->fields.size()); ++field) {
      GoToRecord(record);
      ReadField(field);
      if (LastError() != edb::kOk) problems.push_back({record, field, LastError(), 0, {}});
    }
  }
  if (db->aux.IsOpen()) edb::WalkChains(*db, count, problems);
  return problems;
}

}  // namespace zorli
