// Start-up and shutdown of the program, on a scratch settings folder.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "calendar/callang.h"
#include "platform/folders.h"
#include "platform/ini.h"
#include "settings/settings.h"
#include "shell/app.h"
#include "shell/main_window.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

constexpr char kCities[] = "Merovan Cities.bin";

// One user city "Home", 32 deg 42' N, 35 deg 25' E, GMT+2, elevation 0, in
// the file's layout: magic 0xABCD0122, count, then each record, least
// significant bytes first.
const std::string kOneCityFile(
    "\x22\x01\xCD\xAB" "\x01\0\0\0" "\x04\0\0\0" "Home" "\xAA\x0C\0\0" "\xC5\x0D\0\0" "\x02\0\0\0",
    28);

// The cities file of `dir`, dated ten years back: still so when nothing
// wrote it.
const auto kLongAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 3650);
void WriteOldCities(const ScratchDir& dir) {
  dir.Write(kCities, kOneCityFile);
  std::filesystem::last_write_time(dir.File(kCities), kLongAgo);
}
bool CitiesStillOld(const ScratchDir& dir) {
  return std::filesystem::last_write_time(dir.File(kCities)) < kLongAgo + std::chrono::hours(24);
}

// The user's cities are loaded before the window takes its location; the
// exit writes the flags and the cities back although nothing changed.
TEST(Startup, ExitWritesBackWhatTheStartRead) {
  ScratchDir dir;
  MessageCapture messages;
  WriteOldCities(dir);
  dir.Write(kSettingsFile, "[Location]\r\nCityName=Home\r\n");
  dir.Write("exportcalshab.ini", "[ParashSettings]\r\nLanguage=3\r\n");
  CalWindowState seen{};
  std::string languageWhileRunning;
  ProgramRun run = RunProgram({[&](HWND main) {
    seen = *MainWindowState(main);
    languageWhileRunning = dir.Read("exportcalshab.ini");
    MainWindowState(main)->leftToRight = 0;
  }});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(std::vector<int>({seen.locationKnown, seen.latitude, seen.longitude, seen.timeZone}),
            std::vector<int>({1, 3242, 3525, 2}));
  EXPECT_EQ(languageWhileRunning, "[ParashSettings]\r\nLanguage=1\r\n");  // written as the window was created
  EXPECT_NE(dir.Read(kSettingsFile).find("\nLeftToRight=0\r\n"), std::string::npos);
  EXPECT_EQ(dir.Read(kCities), kOneCityFile);
  EXPECT_FALSE(CitiesStillOld(dir));
  EXPECT_TRUE(messages.shown().empty());
}

int BrokenDefinitions() {
  static CallangTable table;
  return CallangParse("Tishri: \"Tishri\"\r\n12 13\r\n", &table);
}

// A start that fails says why, shows no window and saves nothing.
TEST(Startup, FailureIsShownAndNothingSaved) {
  struct Row {
    bool takeClass;  // the main window's class registered already
    int (*definitions)();
    const char* message;  // the last one shown
  };
  const Row kRows[] = {
      {false, BrokenDefinitions, "CallangInitialize failed"},
      {true, nullptr, "RegisterClass of CalMainClass failed, error code 1410"},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    MessageCapture messages;
    WriteOldCities(dir);
    WNDCLASSA taken{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                    kMainClassName};
    if (row.takeClass && !RegisterClassA(&taken)) FAIL() << "cannot take the class";
    ProgramRun run = RunProgram({[](HWND) { ADD_FAILURE() << "a window was shown"; }}, row.definitions);
    if (row.takeClass) UnregisterClassA(kMainClassName, GetModuleHandleA(nullptr));
    EXPECT_EQ(run.exitCode, 0) << row.message;
    ASSERT_FALSE(messages.shown().empty()) << row.message;
    EXPECT_EQ(messages.shown().back().text, row.message);
    EXPECT_EQ(messages.shown().back().icon, MessageIconError) << row.message;
    EXPECT_TRUE(CitiesStillOld(dir)) << row.message;
    EXPECT_FALSE(std::filesystem::exists(dir.File(kSettingsFile))) << row.message;
  }
}

// Blue at the top, black at the bottom, the white title centred; returns
// the rows the title spans.
int ExpectTitleScreen(HWND main, const char* when) {
  RECT client;
  GetClientRect(main, &client);
  const int width = client.right, height = client.bottom;
  HDC screen = GetDC(main);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);  // 0x00RRGGBB, top row first
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(main, screen);
  auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; };
  EXPECT_EQ(at(2, 0), 0x0000FFu) << when;
  EXPECT_EQ(at(2, height - 1), 0u) << when;
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (at(x, y) == 0xFFFFFF) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  EXPECT_NEAR((left + right) / 2, width / 2, 12) << when << ": title not centred across";
  EXPECT_NEAR((top + bottom) / 2, height / 2, 12) << when << ": title not centred down";
  return bottom - top + 1;
}

// A resize repaints the whole picture, shrinking too (repainting only what
// was uncovered leaves the title off-centre); at twice the DPI the window
// takes the suggested place and the title is twice as tall.
TEST(Startup, TitleScreenFollowsSizeAndDpi) {
  ScratchDir dir;
  RunProgram({[](HWND main) {
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const int rows = ExpectTitleScreen(main, "as shown");
    for (SIZE size : {SIZE{640, 480}, SIZE{1000, 760}}) {
      SetWindowPos(main, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
      UpdateWindow(main);
      ExpectTitleScreen(main, size.cx == 640 ? "shrunk" : "grown");
    }
    RECT suggested{10, 20, 1010, 820}, placed{};
    SendMessageA(main, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(main);
    GetWindowRect(main, &placed);
    EXPECT_TRUE(EqualRect(&placed, &suggested));
    EXPECT_GT(rows, 20);
    EXPECT_NEAR(ExpectTitleScreen(main, "at 192 DPI"), 2 * rows, rows / 4);
  }});
}

// The first window, minimised and behind another, comes back to the front;
// the second instance ends with 0 and touches none of its files.
TEST(Startup, SecondInstanceRestoresAndActivatesTheFirst) {
  ScratchDir dir;
  std::vector<std::string> files, before, after;
  for (int folder : {CSIDL_PERSONAL, CSIDL_APPDATA}) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
    files.push_back(std::string(path) + (folder == CSIDL_PERSONAL ? "\\Merovan Cities.bin" : "\\Tavlon\\exportcal.ini"));
    before.push_back(ReadFileBytes(files.back()));
  }
  std::string command = TAVLON_EXE;
  std::replace(command.begin(), command.end(), '/', '\\');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION second{};
  HWND other = nullptr;
  DWORD code = 99, ended = 0;
  bool restored = false, activated = false;
  RunProgram({
      [&](HWND main) {
        ShowWindow(main, SW_MINIMIZE);
        other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
        SetForegroundWindow(other);
        ASSERT_TRUE(CreateProcessA(command.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &second));
      },
      [&](HWND main) {  // the loop handles the first window's messages meanwhile
        if (WaitForSingleObject(second.hProcess, 0) == WAIT_TIMEOUT) return RetryStep();
        ended = ended ? ended : GetTickCount();
        restored = !IsIconic(main) && IsWindowVisible(main);
        activated = GetForegroundWindow() == main;
        if (!(restored && activated) && GetTickCount() - ended < 1000) RetryStep();
      },
  });
  GetExitCodeProcess(second.hProcess, &code);
  CloseHandle(second.hThread);
  CloseHandle(second.hProcess);
  DestroyWindow(other);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(restored) << "the first window stayed minimised";
  EXPECT_TRUE(activated) << "the first window was not brought to the front";
  for (const std::string& file : files) after.push_back(ReadFileBytes(file));
  EXPECT_EQ(after, before);
}

// Each file from the first older folder that has it; a folder with
// settings of its own is never filled again; the older files stay.
TEST(SettingsFolder, OlderSettingsCopiedOnce) {
  ScratchDir dir;
  for (const char* sub : {"new", "virtual", "windows"}) std::filesystem::create_directory(dir.path() / sub);
  const std::string older[2] = {dir.File("virtual"), dir.File("windows")};
  const char* paths[2] = {older[0].c_str(), older[1].c_str()};
  dir.Write("virtual/exportcal.ini", "Haifa");
  dir.Write("windows/exportcal.ini", "Paris");
  dir.Write("windows/daylight.ini", "March");
  EXPECT_EQ(CopyOlderSettings(dir.File("new").c_str(), paths, 2), 2);
  dir.Write("windows/exportcalshab.ini", "Israel");
  EXPECT_EQ(CopyOlderSettings(dir.File("new").c_str(), paths, 2), 0);
  EXPECT_EQ(dir.Read("new/exportcal.ini") + dir.Read("new/daylight.ini"), "HaifaMarch");
  EXPECT_FALSE(std::filesystem::exists(dir.File("new/exportcalshab.ini")));
  EXPECT_EQ(dir.Read("virtual/exportcal.ini") + dir.Read("windows/exportcal.ini"), "HaifaParis");
}

// Written as the window opens and as it ends: shown once, naming it.
TEST(SettingsFolder, UnwritableFolderIsReportedOnce) {
  ScratchDir dir;
  const std::string folder = dir.File("missing") + "\\deeper";
  SetSettingsFolderOverride(folder.c_str());
  MessageCapture messages;
  RunProgram({[](HWND) {}});
  EXPECT_EQ(IniWriteString("Flags", "LeftToRight", "1", "exportcal.ini"), 0);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_NE(messages.shown()[0].text.find(folder), std::string::npos) << messages.shown()[0].text;
}

}  // namespace
