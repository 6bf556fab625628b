#pragma once
// The one place where fatal misuse (a request the callee cannot express as a result code)
// is reported. The caller goes on with an empty result after reporting.
#include <functional>

#include "gbk_text.h"

namespace zorli {

using RuntimeErrorHandler = std::function<void(const GbkText& message)>;

void ReportRuntimeError(const GbkText& message);
// Installs a handler for this process and returns the previous one. An empty handler
// restores the default: the message on standard error (and the debugger on Windows).
RuntimeErrorHandler SetRuntimeErrorHandler(RuntimeErrorHandler handler);

}  // namespace zorli
