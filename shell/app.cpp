// Start-up, message loop and shutdown of Tavlon.exe.
#include "shell/app.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>

#include "placetime/cities.h"
#include "placetime/suntimes.h"
#include "platform/message.h"
#include "resources/strings.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"

namespace {

HINSTANCE g_instance = nullptr;
HWND g_mainWindow = nullptr;

// The texts loaded at start-up, each in a buffer of its own.
struct TextRange {
  int first;
  int last;
};
constexpr TextRange kShellTextRanges[] = {
    {kTextWindowTitle, kTextTitleLine}, {kTextMenuCalendar, kTextLastShellText},
    {kTextError, kTextCallangErrorCaption}};
constexpr int kShellTextCount = 2 + 32 + 19;
char g_texts[kShellTextCount][256];

// The buffer of text `id`, or -1.
int TextSlot(int id) {
  int base = 0;
  for (const TextRange& range : kShellTextRanges) {
    if (id >= range.first && id <= range.last) return base + id - range.first;
    base += range.last - range.first + 1;
  }
  return -1;
}

// A start-up failure: text 1001 or 1002 filled with the class name and the
// system's error code, under text 1000.
void ShowStartFailure(int textId, DWORD error) {
  char text[512];
  std::snprintf(text, sizeof text, ShellText(textId), kMainClassName, static_cast<int>(error));
  ShowMessage(text, ShellText(kTextError), MessageIconError);
}

}  // namespace

HINSTANCE AppInstance() { return g_instance; }
void SetAppInstance(HINSTANCE instance) { g_instance = instance; }
HWND AppMainWindow() { return g_mainWindow; }
void SetAppMainWindow(HWND window) { g_mainWindow = window; }

const char* ShellText(int id) {
  int slot = TextSlot(id);
  return slot < 0 ? "" : g_texts[slot];
}

void LoadShellTexts(HINSTANCE instance) {
  for (const TextRange& range : kShellTextRanges)
    for (int id = range.first; id <= range.last; ++id) {
      char* buffer = g_texts[TextSlot(id)];
      if (LoadStringA(instance, static_cast<UINT>(id), buffer, 256) <= 0) buffer[0] = '\0';
    }
}

int TavlonRun(HINSTANCE instance, HINSTANCE previous, int showCommand,
              int (*initializeDefinitions)()) {
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // The common controls of version 6 (the manifest asks for them) for the
  // dialogs' lists, edit fields and buttons.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SunCacheInit();
  auto finish = [com]() {
    SunCacheFree();
    if (SUCCEEDED(com)) CoUninitialize();
  };

  // One instance: a second start only brings the first one back (out of
  // the taskbar when minimised) and to the front.
  if (HWND first = FindWindowA(kMainClassName, nullptr)) {
    if (IsIconic(first)) ShowWindow(first, SW_RESTORE);
    SetForegroundWindow(first);
    finish();
    return 0;
  }

  LoadShellTexts(instance);

  if (!initializeDefinitions()) {
    ShowMessage("CallangInitialize failed", "Error", MessageIconError);
    finish();
    return 0;
  }

  // The reading texts (240-242 and the readings) are served by the string
  // table on every lookup, so there is nothing to load for them here.

  char citiesPath[1024];
  FreeUserCities(UserCities());
  if (CitiesFilePath(citiesPath, sizeof citiesPath)) LoadUserCities(UserCities(), citiesPath);

  SetAppInstance(instance);

  int registered = 0;
  if (!previous) {
    if (!RegisterMainWindowClass(instance)) {
      ShowStartFailure(kTextRegisterClassFailed, GetLastError());
      FreeUserCities(UserCities());  // not written back
      finish();
      return 0;
    }
    registered = 1;
  }

  HWND window = CreateMainWindow(instance);
  if (!window) {
    ShowStartFailure(kTextCreateWindowFailed, GetLastError());
    FreeUserCities(UserCities());
    if (registered) UnregisterClassA(kMainClassName, instance);
    finish();
    return 0;
  }
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(1));
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!TranslateAcceleratorA(AppMainWindow(), accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  if (CitiesFilePath(citiesPath, sizeof citiesPath)) SaveUserCities(UserCities(), citiesPath);
  FreeUserCities(UserCities());
  // The class goes with the run, so that a process can run the program
  // again (the Win32 tests do).
  if (registered) UnregisterClassA(kMainClassName, instance);
  finish();
  return static_cast<int>(msg.wParam);
}
