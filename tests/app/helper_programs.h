#pragma once
// Helper programs built beside the tests, started by path.
#include <string>

namespace zorli::testing {

// The path as the running test reaches it: under Wine the build tree is drive Z:.
inline std::string HelperProgramPath(std::string path) {
#ifdef _WIN32
  path = "Z:" + path;
  for (char& c : path) c = c == '/' ? '\\' : c;
#endif
  return path;
}

}  // namespace zorli::testing
