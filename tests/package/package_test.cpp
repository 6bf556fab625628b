// The release as a user unpacks it, in the folder scripts/package-test names in
// ZORLI_PACKAGE_FOLDER: every program carries the project's version and icon, and
// zorli.exe starts there and shows its window, which keeps no icon of its own; nothing
// planted beside the programs or in their current folder runs.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "window_layout.h"
#include "zorli_process.h"
#include "zorli_version.h"

namespace zorli::testing {
namespace {

std::wstring PackageFolder() {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"ZORLI_PACKAGE_FOLDER", folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? folder : L"";
}

std::wstring Ascii(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The version block of a file, read the way Explorer's Properties page reads it.
class VersionBlock {
 public:
  explicit VersionBlock(const std::wstring& file) {
    DWORD ignored = 0;
    block_.resize(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    if (block_.empty() ||
        !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block_.size()), block_.data())) {
      block_.clear();
    }
  }

  bool Found() const { return !block_.empty(); }

  const VS_FIXEDFILEINFO* Fixed() const {
    void* value = nullptr;
    UINT size = 0;
    return Query(L"\\", &value, &size) ? static_cast<const VS_FIXEDFILEINFO*>(value) : nullptr;
  }

  // A string of the block's first translation.
  std::wstring String(const std::wstring& name) const {
    void* value = nullptr;
    UINT size = 0;
    if (!Query(L"\\VarFileInfo\\Translation", &value, &size) || size < 2 * sizeof(WORD)) {
      return L"";
    }
    const WORD* translation = static_cast<const WORD*>(value);
    wchar_t path[128];
    std::swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1],
                  name.c_str());
    return Query(path, &value, &size) ? static_cast<const wchar_t*>(value) : L"";
  }

 private:
  bool Query(const std::wstring& path, void** value, UINT* size) const {
    return VerQueryValueW(block_.data(), path.c_str(), value, size) && *size > 0;
  }

  std::vector<char> block_;
};

#pragma pack(push, 2)
struct IconGroupEntry {  // GRPICONDIRENTRY: one image of an icon group resource
  BYTE width;            // 0 means 256
  BYTE height;
  BYTE colourCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)
static_assert(sizeof(IconGroupEntry) == 14, "the resource's packed layout");

// An integer resource type; the header spells it for the ANSI calls only.
const LPCWSTR kIconGroupType = reinterpret_cast<LPCWSTR>(RT_GROUP_ICON);

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  *reinterpret_cast<LPCWSTR*>(found) = name;
  return FALSE;
}

// The widths in the file's first icon group: the icon Explorer shows for the file.
std::set<int> IconWidths(const std::wstring& file) {
  std::set<int> widths;
  HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return widths;
  LPCWSTR name = nullptr;
  EnumResourceNamesW(module, kIconGroupType, TakeFirstName, reinterpret_cast<LONG_PTR>(&name));
  HRSRC resource = name ? FindResourceW(module, name, kIconGroupType) : nullptr;
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const BYTE* group = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (group) {
    WORD count = 0;
    std::memcpy(&count, group + 2 * sizeof(WORD), sizeof count);  // after reserved and type
    const BYTE* entries = group + 3 * sizeof(WORD);
    for (WORD i = 0; i < count; ++i) {
      IconGroupEntry entry;
      std::memcpy(&entry, entries + i * sizeof entry, sizeof entry);
      widths.insert(entry.width == 0 ? 256 : entry.width);
    }
  }
  FreeLibrary(module);
  return widths;
}

// The icon of one size as the shell extracts it; its width, or 0 when none could be made.
int ExtractedIconWidth(const std::wstring& file, int size) {
  HICON icon = nullptr;
  UINT id = 0;
  if (PrivateExtractIconsW(file.c_str(), 0, size, size, &icon, &id, 1, 0) != 1 || !icon) return 0;
  ICONINFO info{};
  BITMAP bitmap{};
  const bool read = GetIconInfo(icon, &info) && info.hbmColor &&
                    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  DestroyIcon(icon);
  return read ? bitmap.bmWidth : 0;
}

class PackagedProgram : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    ASSERT_FALSE(PackageFolder().empty()) << "ZORLI_PACKAGE_FOLDER names no folder";
    file_ = PackageFolder() + L"\\" + Ascii(GetParam());
  }
  std::wstring file_;
};

TEST_P(PackagedProgram, CarriesTheProjectVersion) {
  const VersionBlock block(file_);
  ASSERT_TRUE(block.Found());
  const VS_FIXEDFILEINFO* fixed = block.Fixed();
  ASSERT_NE(fixed, nullptr);
  int major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(kVersion, "%d.%d.%d", &major, &minor, &patch), 3);
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(minor, major)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, patch)));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(block.String(L"ProductName"), L"Zorli");
  EXPECT_EQ(block.String(L"ProductVersion"), Ascii(kVersion));
  EXPECT_EQ(block.String(L"FileVersion"), Ascii(kVersion));
  EXPECT_EQ(block.String(L"OriginalFilename"), Ascii(GetParam()));
  EXPECT_FALSE(block.String(L"FileDescription").empty());
}

TEST_P(PackagedProgram, CarriesTheIconInTheSizesWindowsAsksFor) {
  const std::set<int> sizes = {16, 32, 48, 256};
  EXPECT_EQ(IconWidths(file_), sizes);
  for (int size : sizes) EXPECT_EQ(ExtractedIconWidth(file_, size), size) << size;
}

// The manifest the loader reads from the file (resource 1 of type 24).
std::string Manifest(const std::wstring& file) {
  std::string text;
  HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return text;
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (bytes) text.assign(bytes, SizeofResource(module, resource));
  FreeLibrary(module);
  return text;
}

TEST_P(PackagedProgram, CarriesAManifestForWindows7To11RunningAsInvoker) {
  const std::string manifest = Manifest(file_);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  // The supportedOS ids of Windows 7 and of Windows 10 and 11.
  EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
  EXPECT_NE(manifest.find("<activeCodePage"), std::string::npos);
  // Common Controls 6 for the window; the console programs have none.
  const bool window = std::string(GetParam()) == "zorli.exe";
  EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos, window);
}

INSTANTIATE_TEST_SUITE_P(Release, PackagedProgram,
                         ::testing::Values("zorli.exe", "zorli-chat.exe", "edbtool.exe"));

TEST(PackagedZorli, StartsInItsFolderAndShowsItsWindowWithNoIconOfItsOwn) {
  const std::wstring folder = PackageFolder();
  ASSERT_FALSE(folder.empty()) << "ZORLI_PACKAGE_FOLDER names no folder";
  ZorliProcess zorli(folder + L"\\zorli.exe", folder);
  ASSERT_TRUE(zorli.Started());
  const HWND main = zorli.MainWindow();
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_TRUE(WaitUntil([&] { return zorli.EntryCount() >= 1; }, 5000)) << "no greeting";
  // The file's icon is for Explorer; the window shows none of its own.
  EXPECT_EQ(GetClassLongPtrW(main, GCLP_HICON), 0u);
  EXPECT_EQ(GetClassLongPtrW(main, GCLP_HICONSM), 0u);
  EXPECT_EQ(SendMessageW(main, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_EQ(SendMessageW(main, WM_GETICON, ICON_SMALL, 0), 0);
}

// The build tree's path as this Wine process reaches it (drive Z:).
std::wstring BuiltFile(const char* path) {
  std::wstring wide = L"Z:" + Ascii(path);
  for (wchar_t& c : wide) c = c == L'/' ? L'\\' : c;
  return wide;
}

// The marks planted files leave when they run or are loaded, in folder.
std::vector<std::wstring> Marks(const std::wstring& folder) {
  std::vector<std::wstring> marks;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*.ran").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return marks;
  do {
    marks.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return marks;
}

bool Copy(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

// Runs a console program in folder through System32's cmd, input on its standard input
// from a file, as a user's redirection would; its output.
std::string RunConsole(const std::wstring& commandLine, const std::wstring& folder,
                       const std::string& input) {
  const std::wstring in = folder + L"\\input.txt", out = folder + L"\\output.txt";
  HANDLE file = CreateFileW(in.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
  CloseHandle(file);
  DeleteFileW(out.c_str());
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";
  std::wstring line = L"cmd /c \"" + commandLine + L" <input.txt >output.txt 2>&1\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(cmd.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                     folder.c_str(), &startup, &process)) {
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  std::string output;
  file = CreateFileW(out.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) output.append(buffer, n);
  CloseHandle(file);
  return output;
}

// A folder a stranger could write to: the unpacked programs with an Explorer.exe and the
// DLLs Windows would look for beside them, and a current folder with another Explorer.exe.
// The news and the search are asked for through both programs; nothing planted may run.
TEST(PlantedFiles, NeitherTheProgramsFolderNorTheCurrentFolderIsSearched) {
  const std::wstring package = PackageFolder();
  ASSERT_FALSE(package.empty()) << "ZORLI_PACKAGE_FOLDER names no folder";
  const std::wstring programs = package + L"-planted", current = package + L"-current";
  CreateDirectoryW(programs.c_str(), nullptr);
  CreateDirectoryW(current.c_str(), nullptr);
  for (const wchar_t* file : {L"zorli.exe", L"zorli-chat.exe", L"edbtool.exe"}) {
    ASSERT_TRUE(Copy(package + L"\\" + file, programs + L"\\" + file));
  }
  for (const wchar_t* file : {L"dbs.edb", L"dbv.edb"}) {
    ASSERT_TRUE(Copy(package + L"\\" + file, current + L"\\" + file));
  }
  const std::wstring program = BuiltFile(PLANTED_PROGRAM_PATH);
  const std::wstring library = BuiltFile(PLANTED_LIBRARY_PATH);
  ASSERT_TRUE(Copy(program, programs + L"\\Explorer.exe"));
  ASSERT_TRUE(Copy(program, current + L"\\Explorer.exe"));
  const wchar_t* const kLibraries[] = {L"gdiplus", L"comctl32", L"uxtheme", L"windowscodecs",
                                       L"version", L"oleacc"};
  for (const wchar_t* dll : kLibraries) {
    ASSERT_TRUE(Copy(library, programs + L"\\" + dll + L".dll"));
  }
  // Wine prefers its own DLLs; told to prefer files it finds, it searches as Windows does.
  SetEnvironmentVariableW(L"WINEDLLOVERRIDES", L"gdiplus,comctl32,uxtheme,windowscodecs,version,oleacc=n,b");

  const std::wstring news = L"\x65B0\x95FB", search = L"#\x641C\x7D22 \x5929\x6C14";  // 新闻, #搜索 天气
  {
    ZorliProcess zorli(programs + L"\\zorli.exe", current);
    ASSERT_TRUE(zorli.Started());
    ASSERT_TRUE(WaitUntil([&] { return zorli.EntryCount() == 1; }, 5000));
    SetForegroundWindow(zorli.MainWindow());
    zorli.Click(window::kMessageBoxId);
    for (const std::wstring& message : {news, search}) {
      const int before = zorli.EntryCount();
      zorli.Type(message);
      zorli.Press({VK_CONTROL}, VK_RETURN);
      EXPECT_TRUE(WaitUntil([&] { return zorli.EntryCount() == before + 2; }, 10000));
    }
    ASSERT_EQ(zorli.EntryCount(), 5);
    EXPECT_FALSE(zorli.Entry(2).content.empty());
    // 已执行搜索，并且打开了浏览器！ after the time header
    EXPECT_NE(zorli.Entry(4).content.find("\xD2\xD1\xD6\xB4\xD0\xD0\xCB\xD1\xCB\xF7"),
              std::string::npos);
  }
  const std::string chat = RunConsole(L"\"" + programs + L"\\zorli-chat.exe\" --no-delay", current,
                                      "\xE6\x96\xB0\xE9\x97\xBB\n#\xE6\x90\x9C\xE7\xB4\xA2 x\n");
  EXPECT_NE(chat.find("\xE5\xB7\xB2\xE6\x89\xA7\xE8\xA1\x8C\xE6\x90\x9C\xE7\xB4\xA2"),
            std::string::npos)
      << chat;  // 已执行搜索
  EXPECT_NE(RunConsole(L"\"" + programs + L"\\edbtool.exe\" --version", current, "").find("edbtool"),
            std::string::npos);
  SetEnvironmentVariableW(L"WINEDLLOVERRIDES", nullptr);
  Sleep(2000);  // a program started without waiting may mark a moment later
  EXPECT_EQ(Marks(programs), std::vector<std::wstring>());
  EXPECT_EQ(Marks(current), std::vector<std::wstring>());
}

}  // namespace
}  // namespace zorli::testing
