#include "runtime_error.h"

#include <mutex>
#include <utility>

#include "gbk_convert.h"
#include "platform/platform.h"

namespace zorli {
namespace {

std::mutex handlerMutex;
RuntimeErrorHandler currentHandler;

void defaultHandler(const GbkText& message) {
  platform::writeDiagnostic("runtime error: " + GbkToUtf8(message) + "\n");
}

}  // namespace

void reportRuntimeError(const GbkText& message) {
  RuntimeErrorHandler handler;
  {
    std::lock_guard<std::mutex> lock(handlerMutex);
    handler = currentHandler;
  }
  if (handler) {
    handler(message);
  } else {
    defaultHandler(message);
  }
}

RuntimeErrorHandler setRuntimeErrorHandler(RuntimeErrorHandler handler) {
  std::lock_guard<std::mutex> lock(handlerMutex);
  return std::exchange(currentHandler, std::move(handler));
}

}  // namespace zorli
