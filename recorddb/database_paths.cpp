#include "database_paths.h"

#include <algorithm>
#include <cctype>

#include "edb_format.h"
#include "platform/file.h"

namespace zorli::edb {
namespace {

size_t NameStart(const std::string& path) {
  const auto separator = std::find_if(path.rbegin(), path.rend(), platform::IsPathSeparator);
  return path.size() - static_cast<size_t>(separator - path.rbegin());
}

// Position of the extension's dot, or npos.
size_t ExtensionDot(const std::string& path) {
  const size_t dot = path.rfind('.');
  return (dot == std::string::npos || dot < NameStart(path)) ? std::string::npos : dot;
}

}  // namespace

std::string WithDefaultExtension(std::string path) {
  const size_t dot = ExtensionDot(path);
  if (dot == std::string::npos) {
    path += ".EDB";
  } else if (dot + 1 == path.size()) {
    path += "EDB";
  }
  return path;
}

std::string AuxiliaryPath(const std::string& mainPath) {
  const size_t dot = ExtensionDot(mainPath);
  return (dot == std::string::npos ? mainPath : mainPath.substr(0, dot)) + ".EDT";
}

std::vector<std::string> AuxiliaryPathCandidates(const std::string& mainPath) {
  std::vector<std::string> candidates;
  const std::string upper = AuxiliaryPath(mainPath);
  const size_t letters = upper.size() - 3;
  // Bit i set writes letter i of "EDT" in lower case; 0 is the "EDT" form itself.
  for (unsigned lowered = 0; lowered < 8; ++lowered) {
    std::string path = upper;
    for (size_t i = 0; i < 3; ++i) {
      if (lowered & (1u << i))
        path[letters + i] = static_cast<char>(std::tolower(path[letters + i]));
    }
    candidates.push_back(path);
  }
  return candidates;
}

GbkText BaseName(const std::string& path) {
  const std::string file = path.substr(NameStart(path));
  const size_t dot = file.rfind('.');
  return dot == std::string::npos ? file : file.substr(0, dot);
}

bool PathsEqual(const std::string& a, const std::string& b) { return NamesEqual(a, b); }

}  // namespace zorli::edb
