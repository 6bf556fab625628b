#include "missing_knowledge.h"

#include <memory>

#include "knowledge_place.h"
#include "knowledge_schema.h"

namespace zorli {
namespace {

// 当前文件夹里找不到知识库文件 , then the names joined by 和
constexpr std::string_view kMissingIntro =
    "\xb5\xb1\xc7\xb0\xce\xc4\xbc\xfe\xbc\xd0\xc0\xef\xd5\xd2\xb2\xbb\xb5\xbd\xd6\xaa\xca\xb6"
    "\xbf\xe2\xce\xc4\xbc\xfe ";
constexpr std::string_view kAnd = " \xba\xcd ";
// 请把压缩包里的文件全部解压到同一个文件夹
constexpr std::string_view kUnpackAll =
    "\xc7\xeb\xb0\xd1\xd1\xb9\xcb\xf5\xb0\xfc\xc0\xef\xb5\xc4\xce\xc4\xbc\xfe\xc8\xab\xb2\xbf"
    "\xbd\xe2\xd1\xb9\xb5\xbd\xcd\xac\xd2\xbb\xb8\xf6\xce\xc4\xbc\xfe\xbc\xd0";
// 或在快捷方式的“起始位置”里填上那个文件夹
constexpr std::string_view kOrStartIn =
    "\xbb\xf2\xd4\xda\xbf\xec\xbd\xdd\xb7\xbd\xca\xbd\xb5\xc4\xa1\xb0\xc6\xf0\xca\xbc\xce\xbb"
    "\xd6\xc3\xa1\xb1\xc0\xef\xcc\xee\xc9\xcf\xc4\xc7\xb8\xf6\xce\xc4\xbc\xfe\xbc\xd0";

bool IsMissing(platform::FileSystem& files, const knowledge::KnowledgeSchema& schema) {
  std::unique_ptr<platform::RandomAccessFile> file;
  const platform::FileError error =
      files.Open(knowledge::RunTimePath(schema), false, platform::FileSharing::kDenyNone, file);
  return error == platform::FileError::kNotFound || error == platform::FileError::kBadPath;
}

}  // namespace

std::vector<std::string_view> MissingKnowledgeFiles(platform::FileSystem& files) {
  std::vector<std::string_view> missing;
  for (const knowledge::KnowledgeSchema* schema :
       {&knowledge::PrimaryKnowledge(), &knowledge::FallbackKnowledge()}) {
    if (IsMissing(files, *schema)) missing.push_back(schema->fileName);
  }
  return missing;
}

std::vector<GbkText> MissingKnowledgeTips(const std::vector<std::string_view>& missing) {
  if (missing.empty()) return {};
  GbkText first(kMissingIntro);
  for (size_t i = 0; i < missing.size(); ++i) {
    if (i > 0) first += kAnd;
    first += missing[i];
  }
  return {first, GbkText(kUnpackAll), GbkText(kOrStartIn)};
}

}  // namespace zorli
