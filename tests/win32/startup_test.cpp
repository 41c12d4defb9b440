// Start-up and shutdown: the program run in this process on a scratch
// settings and documents folder, and Tavlon.exe started as a second
// instance beside it.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "calendar/callang.h"
#include "settings/settings.h"
#include "shell/app.h"
#include "shell/main_window.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"
#include "tests/win32/settings_harness.h"

namespace {

using namespace win32test;

constexpr char kCities[] = "Merovan Cities.bin";
constexpr char kShabbatFile[] = "exportcalshab.ini";

// The cities file of an empty list: magic 0xABCD0122 and a count of 0,
// least significant bytes first.
const std::string kEmptyCitiesFile("\x22\x01\xCD\xAB\0\0\0\0", 8);

// One user city "Home", 32 deg 42' N, 35 deg 25' E, GMT+2, elevation 0.
const std::string kOneCityFile(
    "\x22\x01\xCD\xAB" "\x01\0\0\0" "\x04\0\0\0" "Home"
    "\xAA\x0C\0\0" "\xC5\x0D\0\0" "\x02\0\0\0",
    28);

// A modification time long past, to see whether a file is written again.
void MakeOld(const std::string& path) {
  std::filesystem::last_write_time(
      path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 10));
}
bool IsOld(const std::string& path) {
  return std::filesystem::last_write_time(path) <
         std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 9);
}

class Startup : public testing::Test {
 protected:
  ScratchDir dir_;
  MessageCapture messages_;
};

TEST_F(Startup, EmptySettingsGiveTheDefaultRecordAndExitWritesBack) {
  dir_.Write(kSettingsFile, "");
  dir_.Write(kShabbatFile, "[ParashSettings]\r\nLanguage=3\r\n");
  CalWindowState seen{};
  std::string languageWhileRunning, title;
  ProgramRun run = RunProgram({[&](HWND main) {
    seen = *MainWindowState(main);
    title = WindowText(main);
    languageWhileRunning = IniText("ParashSettings", "Language", kShabbatFile);
    MainWindowState(main)->leftToRight = 0;  // exit writes the record's flag, not a constant
  }});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.stepsRun, 1);
  EXPECT_EQ(title, "Tavlon");
  EXPECT_STREQ(seen.cityName, "New York, NY");  // the defaults are tested natively
  SYSTEMTIME today;
  GetLocalTime(&today);
  EXPECT_EQ(seen.selectedDay.year, today.wYear);
  EXPECT_EQ(seen.selectedDay.month, today.wMonth);
  EXPECT_EQ(seen.selectedDay.day, today.wDay);

  EXPECT_EQ(languageWhileRunning, "1");  // written as the window was created
  EXPECT_EQ(IniText("Flags", "LeftToRight", kSettingsFile), "0");
  EXPECT_EQ(dir_.Read(kCities), kEmptyCitiesFile);
  EXPECT_TRUE(messages_.shown().empty());
}

// The user's cities are loaded before the window takes its location, and
// written back at exit although nothing changed.
TEST_F(Startup, UserCitiesLoadedFirstAndWrittenBackAtExit) {
  dir_.Write(kCities, kOneCityFile);
  MakeOld(dir_.File(kCities));
  ASSERT_TRUE(IsOld(dir_.File(kCities)));
  dir_.Write(kSettingsFile, "[Location]\r\nCityName=Home\r\n");
  CalWindowState seen{};
  RunProgram({[&](HWND main) { seen = *MainWindowState(main); }});
  EXPECT_EQ(seen.locationKnown, 1);
  EXPECT_EQ(seen.latitude, 3242);
  EXPECT_EQ(seen.longitude, 3525);
  EXPECT_EQ(seen.timeZone, 2);
  EXPECT_EQ(dir_.Read(kCities), kOneCityFile);
  EXPECT_FALSE(IsOld(dir_.File(kCities)));
}

int BrokenDefinitions() {
  static CallangTable table;
  return CallangParse("Tishri: \"Tishri\"\r\n12 13\r\n", &table);
}

// The parser reports its error, then the start-up ends before any window,
// and nothing is saved.
TEST_F(Startup, DefinitionTextThatDoesNotParseStopsTheStart) {
  ProgramRun run = RunProgram({[](HWND) { ADD_FAILURE() << "a window was shown"; }},
                              BrokenDefinitions);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.stepsRun, 0);
  EXPECT_EQ(FindWindowA(kMainClassName, nullptr), nullptr);
  const auto& shown = messages_.shown();
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown.front().title, "Error");  // the parser's report
  EXPECT_EQ(shown.back().text, "CallangInitialize failed");
  EXPECT_EQ(shown.back().title, "Error");
  EXPECT_EQ(shown.back().icon, MessageIconError);
  EXPECT_FALSE(std::filesystem::exists(dir_.File(kCities)));
  EXPECT_FALSE(std::filesystem::exists(dir_.File(kShabbatFile)));
  EXPECT_FALSE(std::filesystem::exists(dir_.File(kSettingsFile)));
}

// A class that cannot be registered ends the start with text 1001; the
// cities that were loaded are not written back.
TEST_F(Startup, ClassRegistrationFailureIsShownAndNothingSaved) {
  WNDCLASSA taken{};
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = kMainClassName;
  ASSERT_NE(RegisterClassA(&taken), 0);
  dir_.Write(kCities, kOneCityFile);
  MakeOld(dir_.File(kCities));
  ASSERT_TRUE(IsOld(dir_.File(kCities)));

  ProgramRun run = RunProgram({[](HWND) { ADD_FAILURE() << "a window was shown"; }});
  UnregisterClassA(kMainClassName, GetModuleHandleA(nullptr));

  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.stepsRun, 0);
  ASSERT_EQ(messages_.shown().size(), 1u);
  EXPECT_EQ(messages_.shown()[0].text, "RegisterClass of CalMainClass failed, error code 1410");
  EXPECT_EQ(messages_.shown()[0].title, "Error");
  EXPECT_EQ(messages_.shown()[0].icon, MessageIconError);
  EXPECT_TRUE(IsOld(dir_.File(kCities)));
}

// The client area as 32-bit pixels, top row first.
std::vector<COLORREF> ClientPixels(HWND window, int* width, int* height) {
  RECT client;
  GetClientRect(window, &client);
  *width = client.right;
  *height = client.bottom;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, *width, *height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, *width, *height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = *width;
  info.bmiHeader.biHeight = -*height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<COLORREF> pixels(static_cast<size_t>(*width) * *height);
  GetDIBits(memory, bitmap, 0, *height, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  for (COLORREF& p : pixels) p = RGB(GetBValue(p), GetGValue(p), GetRValue(p));  // BGRA to RGB
  return pixels;
}

// The title screen as it is on screen: full blue at the top, black at the
// bottom, the middle band half way, and the white title text centred.
// Sets `titleHeight` to the rows the title spans.
void ExpectTitleScreen(HWND main, const char* when, int* titleHeight = nullptr) {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels = ClientPixels(main, &width, &height);
  ASSERT_GT(height, 256) << when;
  auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; };
  EXPECT_EQ(at(2, 0), RGB(0, 0, 255)) << when;
  EXPECT_EQ(at(2, height - 1), RGB(0, 0, 0)) << when;
  // Band 128 (blue 127) starts within a row of the middle.
  EXPECT_NEAR(GetBValue(at(2, height / 2)), 127, 1) << when;
  EXPECT_EQ(GetRValue(at(2, height / 2)), 0) << when;
  int left = width, right = -1, top = height, bottom = -1, white = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (at(x, y) == RGB(255, 255, 255)) {
        ++white;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GT(white, 100) << when << ": no title text";
  EXPECT_NEAR((left + right) / 2, width / 2, 12) << when;
  EXPECT_NEAR((top + bottom) / 2, height / 2, 12) << when;
  if (titleHeight) *titleHeight = bottom - top + 1;
}

// The title screen as shown, and after a new size: the whole picture is
// repainted, shrinking as well as growing (a window that repainted only
// what a resize uncovered would keep the old bands and an off-centre title).
TEST_F(Startup, ResizeRepaintsTheWholeTitleScreen) {
  RunProgram({[](HWND main) {
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ExpectTitleScreen(main, "as shown");
    SetWindowPos(main, nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(main);
    ExpectTitleScreen(main, "shrunk");
    SetWindowPos(main, nullptr, 0, 0, 1000, 760, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(main);
    ExpectTitleScreen(main, "grown");
  }});
}

// On a monitor of twice the DPI the window takes the suggested place and
// size, and the title is drawn twice as tall.
TEST_F(Startup, DpiChangeMovesTheWindowAndScalesTheTitle) {
  RunProgram({[](HWND main) {
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    int rowsBefore = 0, rowsAfter = 0;
    ExpectTitleScreen(main, "before", &rowsBefore);
    RECT suggested{10, 20, 1010, 820};
    SendMessageA(main, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(main);
    RECT rect;
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 1010);
    EXPECT_EQ(rect.bottom, 820);
    ExpectTitleScreen(main, "after", &rowsAfter);
    EXPECT_GT(rowsBefore, 20);
    EXPECT_NEAR(rowsAfter, 2 * rowsBefore, rowsBefore / 4);
  }});
}

// ---- A second instance: Tavlon.exe started while the program runs ----

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string DocumentsFile(const char* name) {
  char folder[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
  return std::string(folder) + "\\" + name;
}

std::string SettingsFolderFile(const char* name) {
  char folder[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  return std::string(folder) + "\\Tavlon\\" + name;
}

// Handles this thread's messages until `done` or `milliseconds` have passed
// (a WM_QUIT is put back for the loop that runs). Returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < milliseconds;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return done();
      }
      DispatchMessageA(&msg);
    }
  }
  return done();
}

// Starts Tavlon.exe and waits for it. Returns its exit code, or -1 when it
// did not end in time.
int RunTavlonExe(DWORD timeoutMilliseconds) {
  std::string command = "\"" + WindowsPath(TAVLON_EXE) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "cannot start " << command << ", error " << GetLastError();
    return -1;
  }
  DWORD code = static_cast<DWORD>(-1);
  auto ended = [&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; };
  if (PumpUntil(ended, timeoutMilliseconds))
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

int CountMainWindows() {
  int count = 0;
  for (HWND w = FindWindowExA(nullptr, nullptr, kMainClassName, nullptr); w;
       w = FindWindowExA(nullptr, w, kMainClassName, nullptr))
    ++count;
  return count;
}

// The first window, minimised and behind another, comes back at its size
// and to the front; the second instance ends with 0 and touches no file.
TEST_F(Startup, SecondInstanceRestoresAndActivatesTheFirst) {
  // The data files the second process would use: its own documents and
  // settings folders (this process works in a scratch folder).
  const std::string files[] = {DocumentsFile(kCities), SettingsFolderFile(kSettingsFile),
                               SettingsFolderFile(kShabbatFile)};
  FileState before[3];
  for (int i = 0; i < 3; ++i) before[i] = ReadFileState(files[i]);

  int code = -2;
  bool restored = false, activated = false;
  ProgramRun run = RunProgram({[&](HWND main) {
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(main));
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    EXPECT_EQ(GetForegroundWindow(), other);
    code = RunTavlonExe(60000);
    PumpUntil([&] { return !IsIconic(main) && GetForegroundWindow() == main; }, 1000);
    restored = !IsIconic(main) && IsWindowVisible(main);
    activated = GetForegroundWindow() == main;
    EXPECT_EQ(CountMainWindows(), 1);
    DestroyWindow(other);
  }});
  EXPECT_EQ(run.stepsRun, 1);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(restored) << "the first window stayed minimised";
  EXPECT_TRUE(activated) << "the first window was not brought to the front";
  for (int i = 0; i < 3; ++i) {
    FileState after = ReadFileState(files[i]);
    EXPECT_EQ(after.exists, before[i].exists) << files[i];
    EXPECT_EQ(after.bytes, before[i].bytes) << files[i];
  }
}

// The program icon has an image for each size Windows shows it at: 16 to
// 40 pixels for 100 % to 250 % scaling, 48 and 64 for Explorer, 256 for
// large tiles.
TEST(ProgramIcon, HasEveryImageSize) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(found, nullptr);
  const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(group, nullptr);
  std::vector<int> sizes;
  for (int i = 0, count = group[4] | group[5] << 8; i < count; ++i)
    sizes.push_back(group[6 + 14 * i] == 0 ? 256 : group[6 + 14 * i]);  // 0 stands for 256
  std::sort(sizes.begin(), sizes.end());
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}

}  // namespace
