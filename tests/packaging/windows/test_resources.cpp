// Every Windows program of the build carries the same resources: this test
// program looks at its own (and at the GUI stand-in's), as the system loads
// them, against their sources: the chart's cursor table, the icon's sizes,
// the project's version, and what the manifest asks of the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One cursor of the chart's table, read from its source with a parser of its
// own (the build's script is the other reader).
struct TSourceCursor {
  std::string Name;
  int HotX = 0, HotY = 0;
  std::vector<std::string> Rows; // one character per pixel
  std::map<char, std::string> Colours;
};

std::vector<TSourceCursor> ReadCursorTable() {
  std::ifstream in(SPECTRION_SOURCE_DIR "/src/chart/rchart_cursors.cpp");
  std::string text((std::istreambuf_iterator<char>(in)), {});
  std::map<std::string, std::string> pictures;
  std::regex raw(R"re(const char \*const (\w+) = R"\(([\s\S]*?)\)";)re");
  for (std::sregex_iterator it(text.begin(), text.end(), raw), end; it != end; ++it)
    pictures[(*it)[1]] = (*it)[2];
  std::vector<TSourceCursor> cursors;
  std::regex row(R"re(\{\w+, "(\w+)", (\w+), (\d+), (\d+)\})re");
  for (std::sregex_iterator it(text.begin(), text.end(), row), end; it != end; ++it) {
    TSourceCursor c;
    c.Name = (*it)[1];
    c.HotX = std::stoi((*it)[3]);
    c.HotY = std::stoi((*it)[4]);
    std::vector<std::string> lines;
    std::string xpm = pictures[(*it)[2]];
    std::regex quoted("\"([^\"]*)\"");
    for (std::sregex_iterator q(xpm.begin(), xpm.end(), quoted), qend; q != qend; ++q)
      lines.push_back((*q)[1]);
    if (lines.empty()) continue;
    int w = 0, h = 0, n = 0;
    std::istringstream(lines[0]) >> w >> h >> n;
    for (int i = 1; i <= n && i < static_cast<int>(lines.size()); ++i)
      c.Colours[lines[i][0]] = lines[i].substr(lines[i].rfind(' ') + 1);
    c.Rows.assign(lines.begin() + 1 + n, lines.end());
    cursors.push_back(c);
  }
  return cursors;
}

// The AND and XOR planes of a monochrome cursor, top row first.
struct TPlanes {
  int Width = 0, Height = 0;
  std::vector<std::vector<bool>> And, Xor;
};

TPlanes ReadPlanes(HBITMAP Mask) {
  BITMAP bm{};
  GetObjectW(Mask, sizeof bm, &bm);
  TPlanes p;
  p.Width = bm.bmWidth;
  p.Height = bm.bmHeight / 2;
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colours[2];
  } info{};
  info.h.biSize = sizeof info.h;
  info.h.biWidth = bm.bmWidth;
  info.h.biHeight = -bm.bmHeight; // top-down
  info.h.biPlanes = 1;
  info.h.biBitCount = 1;
  const int stride = (bm.bmWidth + 31) / 32 * 4;
  std::vector<unsigned char> bits(static_cast<size_t>(stride) * bm.bmHeight);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, Mask, 0, bm.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO *>(&info),
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  auto bit = [&](int x, int y) { return (bits[y * stride + x / 8] & (0x80 >> (x % 8))) != 0; };
  for (int y = 0; y < bm.bmHeight; ++y) {
    std::vector<bool> line;
    for (int x = 0; x < bm.bmWidth; ++x) line.push_back(bit(x, y));
    (y < p.Height ? p.And : p.Xor).push_back(line);
  }
  return p;
}

std::wstring ModulePath(HMODULE Module) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(Module, path, MAX_PATH);
  return std::wstring(path, n);
}

std::wstring VersionString(const std::vector<char> &Info, const wchar_t *Name) {
  void *value = nullptr;
  UINT size = 0;
  std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + Name;
  if (!VerQueryValueW(Info.data(), key.c_str(), &value, &size) || size == 0) return L"(none)";
  return static_cast<const wchar_t *>(value);
}

std::wstring Wide(const std::string &Text) { return std::wstring(Text.begin(), Text.end()); }

} // namespace

TEST(WindowsResources, CursorsShowTheChartPicturesWithTheirHotSpots) {
  const std::vector<TSourceCursor> cursors = ReadCursorTable();
  ASSERT_EQ(cursors.size(), 4u);
  std::set<std::string> names;
  for (const TSourceCursor &c : cursors) {
    SCOPED_TRACE(c.Name);
    names.insert(c.Name);
    const int w = static_cast<int>(c.Rows[0].size()), h = static_cast<int>(c.Rows.size());
    // At its own size and at twice that size, for screens at 200 %.
    for (int scale : {1, 2}) {
      HANDLE image = LoadImageW(GetModuleHandleW(nullptr), Wide(c.Name).c_str(), IMAGE_CURSOR,
                                w * scale, h * scale, 0);
      ASSERT_NE(image, nullptr) << "scale " << scale;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(static_cast<HICON>(image), &info));
      EXPECT_FALSE(info.fIcon);
      EXPECT_EQ(info.xHotspot, static_cast<DWORD>(c.HotX * scale));
      EXPECT_EQ(info.yHotspot, static_cast<DWORD>(c.HotY * scale));
      EXPECT_EQ(info.hbmColor, nullptr) << "a monochrome cursor";
      TPlanes planes = ReadPlanes(info.hbmMask);
      ASSERT_EQ(planes.Width, w * scale);
      ASSERT_EQ(planes.Height, h * scale);
      int wrong = 0;
      for (int y = 0; y < planes.Height; ++y)
        for (int x = 0; x < planes.Width; ++x) {
          const std::string &colour = c.Colours.at(c.Rows[y / scale][x / scale]);
          bool transparent = colour == "None";
          bool white = colour == "#FFFFFF";
          if (planes.And[y][x] != transparent || planes.Xor[y][x] != white) ++wrong;
        }
      EXPECT_EQ(wrong, 0) << "pixels differing from the picture at scale " << scale;
      DeleteObject(info.hbmMask);
      DestroyCursor(static_cast<HCURSOR>(image));
    }
  }
  EXPECT_EQ(names, (std::set<std::string>{"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"}));
}

TEST(WindowsResources, ProgramIconHasEverySizeAndLoads) {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC group = FindResourceW(self, L"MAINICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
  ASSERT_NE(group, nullptr);
  const auto *dir = static_cast<const unsigned char *>(LockResource(LoadResource(self, group)));
  const int count = dir[4] | dir[5] << 8;
  std::set<int> sizes;
  for (int i = 0; i < count; ++i) {
    const unsigned char *entry = dir + 6 + 14 * i; // width, height, ..., icon id at 12
    const int size = entry[0] == 0 ? 256 : entry[0];
    sizes.insert(size);
    const int id = entry[12] | entry[13] << 8;
    HRSRC icon = FindResourceW(self, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3) /* RT_ICON */);
    ASSERT_NE(icon, nullptr) << size;
    const auto *data = static_cast<const unsigned char *>(LockResource(LoadResource(self, icon)));
    const bool png = std::string(reinterpret_cast<const char *>(data), 4) == "\x89PNG";
    // The large picture is stored compressed, the small ones as bitmaps
    // every version of Windows reads.
    EXPECT_EQ(png, size == 256) << size;
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 64, 256}));
  for (int size : {16, 32, 48, 256}) {
    HANDLE icon = LoadImageW(self, L"MAINICON", IMAGE_ICON, size, size, 0);
    EXPECT_NE(icon, nullptr) << size;
    if (icon) DestroyIcon(static_cast<HICON>(icon));
  }
}

TEST(WindowsResources, VersionInformationNamesTheProductAndTheFile) {
  const std::wstring path = ModulePath(nullptr);
  DWORD handle = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), &handle));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Spectrion");
  EXPECT_EQ(VersionString(info, L"ProductVersion"), Wide(SPECTRION_VERSION));
  EXPECT_EQ(VersionString(info, L"FileVersion"), Wide(SPECTRION_VERSION));
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), path.substr(path.find_last_of(L"\\/") + 1));
  VS_FIXEDFILEINFO *fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void **>(&fixed), &size));
  unsigned major = 0, minor = 0, patch = 0;
  char dot;
  std::istringstream(SPECTRION_VERSION) >> major >> dot >> minor >> dot >> patch;
  EXPECT_EQ(fixed->dwFileVersionMS, major << 16 | minor);
  EXPECT_EQ(fixed->dwFileVersionLS >> 16, patch);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
}

TEST(WindowsResources, ManifestSettingsTakeEffect) {
  // UTF-8 as the code page of the A functions and of the C runtime's text.
  EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  // Per-monitor awareness: the window's pixels are the monitor's.
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
            DPI_AWARENESS_PER_MONITOR_AWARE);
  // Version 6 of the common controls: the system loads them from their
  // side-by-side assembly instead of the system folder's version 5.
  HMODULE comctl = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  std::wstring path = ModulePath(comctl);
  for (wchar_t &c : path) c = static_cast<wchar_t>(towlower(c));
  EXPECT_NE(path.find(L"\\winsxs\\"), std::wstring::npos) << path;
  EXPECT_NE(path.find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos) << path;
  FreeLibrary(comctl);
}

TEST(WindowsResources, GuiProgramsGetTheSameResources) {
  std::wstring path = ModulePath(nullptr);
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"spectrion-standin.exe";
  HMODULE standin =
      LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(standin, nullptr);
  EXPECT_NE(FindResourceW(standin, L"MAINICON", MAKEINTRESOURCEW(14)), nullptr);
  for (const wchar_t *name : {L"CURHAND", L"CURZOOMW", L"CURZOOMD", L"CURZOOMP"})
    EXPECT_NE(FindResourceW(standin, name, MAKEINTRESOURCEW(12) /* RT_GROUP_CURSOR */), nullptr)
        << name;
  EXPECT_NE(FindResourceW(standin, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */),
            nullptr);
  FreeLibrary(standin);
  // And it runs: its window comes up with the icon and cursor and closes.
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring line = L"\"" + path + L"\"";
  ASSERT_TRUE(CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &si, &pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}
