#pragma once
// Knowledge files that are not where the program looks for them, said at start-up: a
// folder holding only the program (a zip opened but not unpacked, a shortcut starting
// elsewhere) would otherwise only show in every reply.
#include <string_view>
#include <vector>

#include "gbk_text.h"
#include "platform/file_system.h"

namespace zorli {

// The file names of the knowledge files files cannot find, dbs.edb before dbv.edb. A file
// that exists but cannot be opened now (locked, denied) is not missing.
std::vector<std::string_view> MissingKnowledgeFiles(platform::FileSystem& files);

// The tip lines that say so (each short enough for one line of the chat list), or none
// when nothing is missing.
std::vector<GbkText> MissingKnowledgeTips(const std::vector<std::string_view>& missing);

}  // namespace zorli
