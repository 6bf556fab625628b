// corpus_generator: writes a made-up question-and-answer corpus of N pairs as PREFIX.tsv
// (UTF-8 with a byte-order mark) and PREFIX.pairs (dialogues), or both in GBK with --gbk.
//
//   corpus_generator N PREFIX [--gbk]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "generated_corpus.h"

namespace {

bool WriteFile(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  const bool gbk = argc == 4 && std::string(argv[3]) == "--gbk";
  const long long pairs = argc >= 3 ? std::atoll(argv[1]) : 0;
  if ((argc != 3 && !gbk) || pairs < 1) {
    std::fputs("usage: corpus_generator N PREFIX [--gbk]\n", stderr);
    return 2;
  }
  const auto corpus = zorli::corpus::GenerateCorpus(pairs);
  const std::string prefix = argv[2];
  if (!WriteFile(prefix + ".tsv", zorli::corpus::AsTsv(corpus, !gbk)) ||
      !WriteFile(prefix + ".pairs", zorli::corpus::AsDialogues(corpus, !gbk))) {
    std::fprintf(stderr, "cannot write %s.tsv or %s.pairs\n", prefix.c_str(), prefix.c_str());
    return 1;
  }
  return 0;
}
