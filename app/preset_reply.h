#pragma once
// A reply fixed by a keyword rule for the current message.
#include "gbk_text.h"

namespace zorli {

struct PresetReply {
  bool pending = false;
  GbkText text;  // keeps its last value until a rule replaces it
};

}  // namespace zorli
