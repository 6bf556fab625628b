#include "value_chain.h"

#include <algorithm>
#include <optional>
#include <unordered_set>
#include <vector>

#include "byte_locks.h"
#include "edb_format.h"
#include "error_codes.h"

namespace zorli::edb {
namespace {

uint64_t BlockOffset(int32_t block) { return static_cast<uint64_t>(block) * kEdtBlockSize; }

ErrorCode ReadBlock(CipheredFile& aux, int32_t block, EdtBlock& out) {
  size_t got = 0;
  const ErrorCode code = aux.Read(BlockOffset(block), out.bytes.data(), kEdtBlockSize, got);
  if (code != kOk) return code;
  return got < kEdtBlockSize ? kAuxAccessFailed : kOk;
}

ErrorCode WriteBlock(CipheredFile& aux, int32_t block, const EdtBlock& in) {
  return aux.Write(BlockOffset(block), in.bytes.data(), kEdtBlockSize, kAuxAccessFailed);
}

// The header of the auxiliary file, read once and written back at the end, under the
// lock of its first byte.
class HeaderSession {
 public:
  explicit HeaderSession(CipheredFile& aux) : aux_(aux) {}
  ErrorCode Open() {
    if (header_) return kOk;
    ErrorCode code = lock_.Lock(aux_.File(), 0, 1);
    if (code != kOk) return code;
    EdtHeader header;
    size_t got = 0;
    if ((code = aux_.Read(0, header.bytes.data(), kEdtHeaderSize, got)) != kOk) return code;
    if (got < kEdtHeaderSize || header.BlockCount() < 1) return kAuxAccessFailed;
    header_ = header;
    return kOk;
  }
  bool IsOpen() const { return header_.has_value(); }
  EdtHeader& Header() { return *header_; }
  ErrorCode Save() {
    return aux_.Write(0, header_->bytes.data(), kEdtHeaderSize, kAuxAccessFailed);
  }

 private:
  CipheredFile& aux_;
  std::optional<EdtHeader> header_;
  ScopedLock lock_;
};

// Block numbers of an existing chain, in order, without its data.
ErrorCode CollectChain(CipheredFile& aux, int32_t first, std::vector<int32_t>& blocks) {
  uint64_t fileLength = 0;
  const ErrorCode code = aux.Length(fileLength);
  if (code != kOk) return code;
  const uint64_t limit = fileLength / kEdtBlockSize;
  for (int32_t block = first; block != 0;) {
    if (block < 0 || static_cast<uint64_t>(block) >= limit || blocks.size() >= limit) {
      return kAuxAccessFailed;
    }
    blocks.push_back(block);
    EdtBlock data;
    const ErrorCode readCode = ReadBlock(aux, block, data);
    if (readCode != kOk) return readCode;
    block = data.Next();
  }
  return kOk;
}

using BlockSet = std::unordered_set<int32_t>;

// A block the free list may hand out: inside the file, marked free (used 0), and not a
// block of the value being written. Whatever breaks this, a list that points into a live
// chain or loops back on itself, must not be written over.
[[nodiscard]] bool IsFreeBlock(CipheredFile& aux, const EdtHeader& header, int32_t block,
                               const BlockSet& ours, EdtBlock* contents = nullptr) {
  if (block < 1 || block >= header.BlockCount() || ours.count(block) != 0) return false;
  EdtBlock data;
  if (ReadBlock(aux, block, data) != kOk || data.Used() != 0) return false;
  if (contents != nullptr) *contents = data;
  return true;
}

// Chooses count more blocks for a value: from the head of the free list while it lasts,
// then new ones at the end of the file. The header is updated in memory; -59 when the
// free list cannot be trusted.
ErrorCode TakeBlocks(CipheredFile& aux, EdtHeader& header, size_t count, BlockSet& ours,
                     std::vector<int32_t>& blocks) {
  int32_t freeHead = header.FreeHead(), freeCount = header.FreeCount();
  for (; count > 0 && freeHead != 0; --count) {
    EdtBlock freeBlock;
    if (!IsFreeBlock(aux, header, freeHead, ours, &freeBlock)) return kAuxAccessFailed;
    blocks.push_back(freeHead);
    ours.insert(freeHead);
    freeHead = freeBlock.Next();
    freeCount = std::max(0, freeCount - 1);
  }
  // The rest of the list stays free: it must not lead back into this value.
  if (freeHead != 0 && !IsFreeBlock(aux, header, freeHead, ours)) return kAuxAccessFailed;
  int32_t blockCount = header.BlockCount();
  for (; count > 0; --count) {
    // A chain may name blocks past the header's count; a new block must not be one.
    if (blockCount == INT32_MAX || ours.count(blockCount) != 0) return kAuxAccessFailed;
    blocks.push_back(blockCount++);
  }
  header.SetFreeHead(freeHead);
  header.SetFreeCount(freeCount);
  header.SetBlockCount(blockCount);
  return kOk;
}

ErrorCode SetPreviousLink(CipheredFile& aux, int32_t block, int32_t previous) {
  EdtBlock data;
  ErrorCode code = ReadBlock(aux, block, data);
  if (code != kOk) return code;
  data.SetPrevious(previous);
  return WriteBlock(aux, block, data);
}

// Sets a link of a free block next to one being cut off. Only free neighbours are
// relinked: a link into a live chain is corruption, and that chain is left as it is.
ErrorCode RelinkFreeNeighbour(CipheredFile& aux, const EdtHeader& header, int32_t block,
                              void (EdtBlock::*setLink)(int32_t), int32_t link) {
  if (block <= 0 || block >= header.BlockCount()) return kOk;
  EdtBlock neighbour;
  const ErrorCode code = ReadBlock(aux, block, neighbour);
  if (code != kOk || neighbour.Used() != 0) return code;
  (neighbour.*setLink)(link);
  return WriteBlock(aux, block, neighbour);
}

// Takes trailing free blocks out of the header's count. The caller cuts the file once the
// header is saved, so a failure in between leaves the file longer than counted, never
// shorter.
ErrorCode DropFreeTail(CipheredFile& aux, EdtHeader& header) {
  int32_t last = header.BlockCount() - 1;
  while (last >= 1) {
    EdtBlock block;
    ErrorCode code = ReadBlock(aux, last, block);
    if (code != kOk) return code;
    if (block.Used() != 0) break;
    const int32_t previous = block.Previous(), next = block.Next();
    if ((code = RelinkFreeNeighbour(aux, header, previous, &EdtBlock::SetNext, next)) != kOk ||
        (code = RelinkFreeNeighbour(aux, header, next, &EdtBlock::SetPrevious, previous)) != kOk) {
      return code;
    }
    if (header.FreeHead() == last) header.SetFreeHead(next);
    header.SetFreeCount(std::max(0, header.FreeCount() - 1));
    --last;
  }
  header.SetBlockCount(last + 1);
  return kOk;
}

// Writes piece i of value into blocks[i] with its final links.
ErrorCode WritePiece(CipheredFile& aux, const std::vector<int32_t>& blocks, size_t i,
                     const std::string& value) {
  EdtBlock block;
  block.SetPrevious(i > 0 ? blocks[i - 1] : 0);
  block.SetNext(i + 1 < blocks.size() ? blocks[i + 1] : 0);
  block.SetData(std::string_view(value).substr(i * kEdtBlockDataSize, kEdtBlockDataSize));
  return WriteBlock(aux, blocks[i], block);
}

// ReadValueChain's walk: each block is read under the lock of its first byte, and the
// next block is locked before the previous one is let go.
ErrorCode AppendChain(CipheredFile& aux, int32_t firstBlock, std::string& value) {
  uint64_t fileLength = 0;
  ErrorCode code = aux.Length(fileLength);
  if (code != kOk) return code;
  const uint64_t blocksInFile = fileLength / kEdtBlockSize;
  ScopedLock blockLock;
  int32_t locked = 0;
  uint64_t visited = 0;
  for (int32_t block = firstBlock; block != 0;) {
    // Every block of a sound chain lies in the file and is visited once; more steps
    // than blocks means a loop.
    if (block < 0 || static_cast<uint64_t>(block) >= blocksInFile || ++visited > blocksInFile) {
      return kAuxAccessFailed;
    }
    // A block that names itself as next is already held.
    if (block != locked) {
      ScopedLock next;
      if ((code = next.Lock(aux.File(), BlockOffset(block), 1)) != kOk) return code;
      blockLock = std::move(next);
      locked = block;
    }
    EdtBlock data;
    if ((code = ReadBlock(aux, block, data)) != kOk) return code;
    if (data.Used() < 0 || data.Used() > kEdtBlockDataSize) return kAuxAccessFailed;
    value.append(reinterpret_cast<const char*>(data.Data()), static_cast<size_t>(data.Used()));
    block = data.Next();
  }
  return kOk;
}

}  // namespace

ErrorCode ReadValueChain(CipheredFile& aux, int32_t firstBlock, std::string& value) {
  value.clear();
  if (!aux.IsOpen()) return kAuxAccessFailed;
  if (firstBlock == 0) return kOk;
  const ErrorCode code = AppendChain(aux, firstBlock, value);
  if (code != kOk) value.clear();
  return code;
}

ErrorCode WriteValueChain(CipheredFile& aux, int32_t oldFirstBlock, const std::string& value,
                          const std::function<ErrorCode(int32_t firstBlock)>& pointAt) {
  if (!aux.IsOpen()) return kAuxAccessFailed;
  std::vector<int32_t> oldChain;
  ErrorCode code = CollectChain(aux, oldFirstBlock, oldChain);
  if (code != kOk) return code;

  // Every block is chosen, and every free block checked, before anything is written.
  HeaderSession session(aux);
  const size_t pieces = (value.size() + kEdtBlockDataSize - 1) / kEdtBlockDataSize;
  std::vector<int32_t> blocks(
      oldChain.begin(),
      oldChain.begin() + static_cast<std::ptrdiff_t>(std::min(pieces, oldChain.size())));
  BlockSet ours(oldChain.begin(), oldChain.end());
  int32_t newFreeHead = 0;
  const bool takesBlocks = pieces > oldChain.size(), freesBlocks = oldChain.size() > pieces;
  if (takesBlocks || freesBlocks) {
    if ((code = session.Open()) != kOk) return code;
  }
  size_t firstNew = pieces;  // the first piece in a block the file does not hold yet
  if (takesBlocks) {
    const int32_t blocksBefore = session.Header().BlockCount();
    code = TakeBlocks(aux, session.Header(), pieces - oldChain.size(), ours, blocks);
    if (code != kOk) return code;
    newFreeHead = session.Header().FreeHead();
    firstNew = static_cast<size_t>(
        std::find_if(blocks.begin(), blocks.end(), [&](int32_t b) { return b >= blocksBefore; }) -
        blocks.begin());
  }
  const int32_t oldFreeHead = freesBlocks ? session.Header().FreeHead() : 0;
  if (oldFreeHead != 0 && !IsFreeBlock(aux, session.Header(), oldFreeHead, ours)) {
    return kAuxAccessFailed;
  }

  // Each block is written once, from the last to the first, so none is linked to before
  // it holds its piece. Blocks new to the file come first and are counted in the saved
  // header before any other block links to them: a write that fails part way leaves at
  // worst blocks that nothing uses, never a link to a block past the header's count,
  // which a later value would take again.
  for (size_t i = pieces; i-- > firstNew;) {
    if ((code = WritePiece(aux, blocks, i, value)) != kOk) return code;
  }
  if (takesBlocks && (code = session.Save()) != kOk) return code;
  for (size_t i = firstNew; i-- > 0;) {
    if ((code = WritePiece(aux, blocks, i, value)) != kOk) return code;
  }
  if (newFreeHead != 0 && (code = SetPreviousLink(aux, newFreeHead, 0)) != kOk) return code;
  if ((code = pointAt(blocks.empty() ? 0 : blocks.front())) != kOk) return code;

  if (freesBlocks) {
    EdtHeader& header = session.Header();
    const size_t firstFreed = pieces, lastFreed = oldChain.size() - 1;
    bool freedLastBlock = false;
    for (size_t i = firstFreed; i <= lastFreed; ++i) {
      EdtBlock freed;
      freed.SetPrevious(i == firstFreed ? 0 : oldChain[i - 1]);
      freed.SetNext(i == lastFreed ? oldFreeHead : oldChain[i + 1]);
      freed.SetData({});
      if ((code = WriteBlock(aux, oldChain[i], freed)) != kOk) return code;
      freedLastBlock = freedLastBlock || oldChain[i] == header.BlockCount() - 1;
    }
    if (oldFreeHead != 0 &&
        (code = SetPreviousLink(aux, oldFreeHead, oldChain[lastFreed])) != kOk) {
      return code;
    }
    header.SetFreeHead(oldChain[firstFreed]);
    header.SetFreeCount(header.FreeCount() + static_cast<int32_t>(lastFreed - firstFreed + 1));
    if (freedLastBlock && (code = DropFreeTail(aux, header)) != kOk) return code;
    if ((code = session.Save()) != kOk) return code;
    if (freedLastBlock) return aux.Truncate(BlockOffset(header.BlockCount()));
  }
  return kOk;
}

}  // namespace zorli::edb
