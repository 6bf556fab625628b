#include "runtime_error.h"

#include <mutex>
#include <utility>

#include "gbk_convert.h"
#include "platform/platform.h"

namespace zorli {
namespace {

std::mutex handlerMutex;
RuntimeErrorHandler currentHandler;

void DefaultHandler(const GbkText& message) {
  platform::WriteDiagnostic("runtime error: " + GbkToUtf8(message) + "\n");
}

}  // namespace

void ReportRuntimeError(const GbkText& message) {
  RuntimeErrorHandler handler;
  {
    std::lock_guard<std::mutex> lock(handlerMutex);
    handler = currentHandler;
  }
  if (handler) {
    handler(message);
  } else {
    DefaultHandler(message);
  }
}

RuntimeErrorHandler SetRuntimeErrorHandler(RuntimeErrorHandler handler) {
  std::lock_guard<std::mutex> lock(handlerMutex);
  return std::exchange(currentHandler, std::move(handler));
}

}  // namespace zorli
