#include "generated_corpus.h"

#include <iterator>
#include <random>

#include "gbk_convert.h"

namespace zorli::corpus {
namespace {

constexpr uint32_t kSeed = 20261209;
// GBK's first level of common characters: leads B0..D7, trails A1..FE (D7FA.. unused).
constexpr int kFirstLead = 0xB0, kLeads = 0xD7 - 0xB0 + 1, kTrails = 94;
const char* const kSyllables[] = {"ka", "lo",  "mi",  "ne",  "su",  "ta",  "ri",  "vo",  "ze",
                                  "pu", "bar", "don", "fel", "gim", "hok", "jun", "wex", "yor"};
// Ways a question is asked again: the same after its punctuation, spaces and case go.
const char* const kEndings[] = {"", "?", "\xa3\xbf" /* ？ */, "!", " ?", "\xa1\xa3" /* 。 */};

std::string ChineseText(std::mt19937& random, int characters) {
  std::string text;
  for (int i = 0; i < characters; ++i) {
    int lead = kFirstLead + static_cast<int>(random() % kLeads);
    int trail = 0xA1 + static_cast<int>(random() % kTrails);
    if (lead == 0xD7 && trail > 0xF9) trail = 0xF9;
    text += static_cast<char>(lead);
    text += static_cast<char>(trail);
  }
  return text;
}

std::string EnglishText(std::mt19937& random, int words) {
  std::string text;
  for (int w = 0; w < words; ++w) {
    if (w > 0) text += ' ';
    for (int s = 0, n = 1 + static_cast<int>(random() % 3); s < n; ++s) {
      text += kSyllables[random() % std::size(kSyllables)];
    }
  }
  return text;
}

std::string Variant(std::mt19937& random, const std::string& question) {
  std::string asked = question;
  if (random() % 3 == 0 && !asked.empty() && asked[0] >= 'a' && asked[0] <= 'z') {
    asked[0] = static_cast<char>(asked[0] - 'a' + 'A');
  }
  return asked + kEndings[random() % std::size(kEndings)];
}

std::string Encoded(const std::string& gbk, bool utf8) { return utf8 ? GbkToUtf8(gbk) : gbk; }

}  // namespace

std::vector<GeneratedPair> GenerateCorpus(int64_t pairs) {
  std::mt19937 random(kSeed);
  std::vector<GeneratedPair> corpus;
  std::vector<std::string> questions;
  while (static_cast<int64_t>(corpus.size()) < pairs) {
    // A new question two times in three, else one asked before.
    if (questions.empty() || random() % 3 != 0) {
      questions.push_back(random() % 4 == 0
                              ? EnglishText(random, 2 + static_cast<int>(random() % 4))
                              : ChineseText(random, 3 + static_cast<int>(random() % 8)));
    }
    const int64_t id = static_cast<int64_t>(random() % 3 == 0 ? random() % questions.size()
                                                              : questions.size() - 1);
    const std::string answer =
        ChineseText(random, 4 + static_cast<int>(random() % 12)) + std::to_string(corpus.size());
    corpus.push_back({Variant(random, questions[static_cast<size_t>(id)]), answer, id});
  }
  return corpus;
}

std::string AsTsv(const std::vector<GeneratedPair>& corpus, bool utf8) {
  std::string text = utf8 ? "\xEF\xBB\xBF" : "";
  for (const GeneratedPair& pair : corpus) {
    text += Encoded(pair.question, utf8) + "\t" + Encoded(pair.answer, utf8) + "\r\n";
  }
  return text;
}

std::string AsDialogues(const std::vector<GeneratedPair>& corpus, bool utf8) {
  std::string text;
  for (size_t i = 0; i < corpus.size(); ++i) {
    // Dialogues of one or two pairs, every other one with its turns marked.
    if (i % 3 != 1) text += i % 2 == 0 ? "E\n" : "\n";
    const char* mark = i % 2 == 0 ? "M " : "";
    text += mark + Encoded(corpus[i].question, utf8) + "\n";
    text += mark + Encoded(corpus[i].answer, utf8) + "\n";
  }
  return text;
}

}  // namespace zorli::corpus
