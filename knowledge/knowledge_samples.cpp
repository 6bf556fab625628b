#include "knowledge_samples.h"

#include <fstream>

#include "gbk_convert.h"

namespace zorli {

bool ReadKnowledgeSamples(const std::string& path, std::vector<KnowledgeSample>& samples,
                          std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot be read";
    return false;
  }
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const size_t tab = text.find('\t');
    if (number == 1 || tab == std::string::npos) continue;
    const auto message = Utf8ToGbk(text.substr(0, tab));
    const auto pattern = Utf8ToGbk(text.substr(tab + 1));
    if (!message || !pattern) {
      error = path + ":" + std::to_string(number) + ": not GBK-representable UTF-8";
      return false;
    }
    samples.push_back({number, *message, *pattern});
  }
  return true;
}

}  // namespace zorli
