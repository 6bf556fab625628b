#pragma once
// The reply when the knowledge files cannot give one: it names each file that failed,
// whether it could not be opened or not be read, and the database's message for why.
#include <cstdint>
#include <string_view>
#include <vector>

#include "gbk_text.h"

namespace zorli {

struct KnowledgeFault {
  std::string_view file;
  bool opening = true;  // false: opened, but a read failed
  int32_t code = 0;     // the LastError() of the failure
};

GbkText KnowledgeUnavailableReply(const std::vector<KnowledgeFault>& faults);

}  // namespace zorli
