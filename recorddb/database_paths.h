#pragma once
// The file names that belong to a database.
#include <string>
#include <vector>

#include "gbk_text.h"

namespace zorli::edb {

// ".EDB" appended when the name has no extension ("EDB" when it ends in a dot).
std::string WithDefaultExtension(std::string path);
// The auxiliary file as a new database writes it: the extension replaced by "EDT".
std::string AuxiliaryPath(const std::string& mainPath);
// The names an existing auxiliary file is looked for under, in order: the "EDT" form,
// then every other case of it, which only case-sensitive file systems tell apart.
std::vector<std::string> AuxiliaryPathCandidates(const std::string& mainPath);
// The file name without directory and extension.
GbkText BaseName(const std::string& path);
// Case-insensitive comparison of ASCII letters, as file systems on Windows compare;
// double-byte characters compare as they are, trail bytes included.
bool PathsEqual(const std::string& a, const std::string& b);

}  // namespace zorli::edb
