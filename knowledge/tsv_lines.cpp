#include "tsv_lines.h"

#include "platform/file.h"

namespace zorli::knowledge {

std::vector<std::string> SplitCells(const std::string& line) {
  std::vector<std::string> cells;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return cells;
    start = tab + 1;
  }
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Through the file layer: on Windows a path is GBK, opened by its UTF-16 full path.
bool ReadWholeFile(const std::string& path, std::string& text) {
  platform::File file;
  if (file.Open(path, false, platform::FileSharing::kDenyNone) != platform::FileError::kNone) {
    return false;
  }
  char buffer[64 * 1024];
  for (size_t n = 0;; text.append(buffer, n)) {
    if (file.ReadAt(text.size(), buffer, sizeof buffer, n) != platform::FileError::kNone) {
      return false;
    }
    if (n == 0) return true;
  }
}

void SkipByteOrderMark(std::string& text) {
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
}

}  // namespace zorli::knowledge
