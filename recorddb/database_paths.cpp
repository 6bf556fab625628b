#include "database_paths.h"

#include <algorithm>
#include <cctype>

#include "edb_format.h"
#include "platform/file.h"

namespace zorli::edb {
namespace {

size_t nameStart(const std::string& path) {
  const auto separator = std::find_if(path.rbegin(), path.rend(), platform::isPathSeparator);
  return path.size() - static_cast<size_t>(separator - path.rbegin());
}

// Position of the extension's dot, or npos.
size_t extensionDot(const std::string& path) {
  const size_t dot = path.rfind('.');
  return (dot == std::string::npos || dot < nameStart(path)) ? std::string::npos : dot;
}

}  // namespace

std::string WithDefaultExtension(std::string path) {
  const size_t dot = extensionDot(path);
  if (dot == std::string::npos) {
    path += ".EDB";
  } else if (dot + 1 == path.size()) {
    path += "EDB";
  }
  return path;
}

std::string AuxiliaryPath(const std::string& mainPath) {
  const size_t dot = extensionDot(mainPath);
  const std::string stem = dot == std::string::npos ? mainPath : mainPath.substr(0, dot);
  const std::string extension = mainPath.substr(stem.size());
  const bool lowerCase = std::any_of(extension.begin(), extension.end(), [](char c) {
                           return std::islower(static_cast<unsigned char>(c));
                         }) &&
                         std::none_of(extension.begin(), extension.end(), [](char c) {
                           return std::isupper(static_cast<unsigned char>(c));
                         });
  return stem + (lowerCase ? ".edt" : ".EDT");
}

GbkText BaseName(const std::string& path) {
  const std::string file = path.substr(nameStart(path));
  const size_t dot = file.rfind('.');
  return dot == std::string::npos ? file : file.substr(0, dot);
}

bool PathsEqual(const std::string& a, const std::string& b) { return NamesEqual(a, b); }

}  // namespace zorli::edb
