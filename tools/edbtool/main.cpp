// edbtool: creates, dumps, checks, verifies, repairs and describes record database files.
#include <exception>
#include <string>

#include "commands.h"
#include "console.h"
#include "platform/console.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  zorli::platform::LoadLibrariesFromSystemFolderOnly();
  using namespace zorli::edbtool;
  zorli::platform::UseBinaryStandardStreams();
  try {
    return RunEdbtool(zorli::platform::Utf8Arguments(argc, argv));
  } catch (const std::exception& error) {
    // Whatever was not foreseen is still a message and a failure, never an abort.
    WriteError(std::string("edbtool: ") + error.what() + "\n");
    return kFailure;
  }
}
