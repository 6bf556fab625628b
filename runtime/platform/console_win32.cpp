#include "console.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <iterator>

#include "wide_text.h"

namespace zorli::platform {
namespace {

HANDLE ConsoleHandle(DWORD standard) {
  HANDLE handle = GetStdHandle(standard);
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)
             ? handle
             : nullptr;
}

// Bytes of text that end with a whole UTF-8 sequence; a sequence cut at the end waits.
size_t WholeUtf8Prefix(const std::string& text) {
  size_t start = text.size();
  for (int back = 0; back < 4 && start > 0; ++back) {
    const auto byte = static_cast<unsigned char>(text[start - 1]);
    if ((byte & 0xC0) != 0x80) {
      const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
      return text.size() - (start - 1) >= length ? text.size() : start - 1;
    }
    --start;
  }
  return text.size();
}

class ConsoleWriter : public std::streambuf {
 public:
  explicit ConsoleWriter(HANDLE console) : console_(console) {}
  ~ConsoleWriter() override { Flush(); }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_.push_back(traits_type::to_char_type(c));
    if (c == '\n' && !Flush()) return traits_type::eof();
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<size_t>(count));
    if (pending_.find('\n') != std::string::npos && !Flush()) return 0;
    return count;
  }
  int sync() override { return Flush() ? 0 : -1; }

 private:
  bool Flush() {
    const size_t whole = WholeUtf8Prefix(pending_);
    const std::wstring wide = ToWide(CodePage::kUtf8, std::string_view(pending_).substr(0, whole));
    pending_.erase(0, whole);
    DWORD written = 0;
    return wide.empty() ||
           WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  }

  HANDLE console_;
  std::string pending_;
};

class ConsoleReader : public std::streambuf {
 public:
  explicit ConsoleReader(HANDLE console) : console_(console) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    std::wstring wide = carried_;
    carried_.clear();
    wchar_t chunk[1024];
    DWORD read = 0;
    if (!ReadConsoleW(console_, chunk, static_cast<DWORD>(std::size(chunk)), &read, nullptr) ||
        read == 0)
      return traits_type::eof();
    wide.append(chunk, read);
    // Ctrl+Z typed at the start of a line ends the input, as the end of a file does.
    if (wide.front() == L'\x1A') return traits_type::eof();
    // A surrogate pair cut by the chunk's end is completed by the next read.
    if (IS_HIGH_SURROGATE(wide.back())) {
      carried_.push_back(wide.back());
      wide.pop_back();
    }
    bytes_ = FromWide(CodePage::kUtf8, wide);
    if (bytes_.empty()) return underflow();
    setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    return traits_type::to_int_type(*gptr());
  }

 private:
  HANDLE console_;
  std::wstring carried_;
  std::string bytes_;
};

}  // namespace

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(FromWide(CodePage::kUtf8, words[i]));
  LocalFree(words);
  return arguments;
}

std::unique_ptr<std::streambuf> ConsoleInputBuffer() {
  HANDLE console = ConsoleHandle(STD_INPUT_HANDLE);
  return console ? std::make_unique<ConsoleReader>(console) : nullptr;
}

std::unique_ptr<std::streambuf> ConsoleOutputBuffer() {
  HANDLE console = ConsoleHandle(STD_OUTPUT_HANDLE);
  return console ? std::make_unique<ConsoleWriter>(console) : nullptr;
}

std::string NativePath(const std::string& utf8) {
  return FromWide(CodePage::kGbk, ToWide(CodePage::kUtf8, utf8));
}

}  // namespace zorli::platform
