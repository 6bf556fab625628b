#pragma once
// Reading a TSV file or any line-based text: the whole file, its lines and a line's cells.
#include <string>
#include <vector>

namespace zorli::knowledge {

// The whole file; false when it cannot be opened or read (a directory, say). path is a
// native path.
bool ReadWholeFile(const std::string& path, std::string& text);
// Notepad saves UTF-8 with a byte-order mark; it belongs to no line.
void SkipByteOrderMark(std::string& text);
// Lines end at \n, a \r before it dropped; no line after a last \n.
std::vector<std::string> SplitLines(const std::string& text);
// Cells end at tabs.
std::vector<std::string> SplitCells(const std::string& line);

}  // namespace zorli::knowledge
