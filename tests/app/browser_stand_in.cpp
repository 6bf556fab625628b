// Stand-in browser for the search test: writes the arguments it was started with, each
// followed by a zero byte, to browser_arguments.txt in its current folder.
#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
  {
    std::ofstream out("browser_arguments.tmp", std::ios::binary);
    for (int i = 1; i < argc; ++i) out << argv[i] << '\0';
  }
  // Whole or not at all: the test reads the file as soon as it appears.
  return std::rename("browser_arguments.tmp", "browser_arguments.txt") == 0 ? 0 : 1;
}
