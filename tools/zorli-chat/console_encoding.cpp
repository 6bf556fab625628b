#include "console_encoding.h"

#include "gbk_convert.h"
#include "gbk_stand_ins.h"

namespace zorli {

GbkText ConsoleToGbk(const std::string& console, bool consoleIsGbk) {
  return consoleIsGbk ? console : Utf8ToGbkWithStandIns(console);
}

std::string GbkToConsole(const GbkText& text, bool consoleIsGbk) {
  return consoleIsGbk ? text : GbkToUtf8(text);
}

}  // namespace zorli
