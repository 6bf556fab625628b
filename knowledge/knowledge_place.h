#pragma once
// Where the program finds its knowledge files while it runs: by plain name in the
// process's current folder, which is where the user started it (or a shortcut's "Start
// in"). Nothing else names that place.
#include "gbk_text.h"
#include "knowledge_schema.h"

namespace zorli::knowledge {

// The name OpenDatabase is given for the file of schema.
inline GbkText RunTimePath(const KnowledgeSchema& schema) { return GbkText(schema.fileName); }

}  // namespace zorli::knowledge
