// The main window: creation and destruction of its record, the title
// screen, and the messages it hands to the commands.
#include "shell/main_window.h"

#include <cstring>

#include "settings/settings.h"
#include "readings/reading_texts.h"
#include "resources/strings.h"
#include "shell/app.h"
#include "shell/main_state.h"
#include "shell/menu_bar.h"
#include "shell/title_screen.h"

namespace {

constexpr int kStateSlot = 0;  // window data offset of the CalWindowState

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The dots per inch of the monitor the window is on: the title font is
// sized by it. Set at creation and by WM_DPICHANGED (one main window).
int g_windowDpi = 96;

// The window's own DPI (Windows 10 1607 on); the system's where the call
// is missing.
int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (getDpi) {
    if (UINT dpi = getDpi(window)) return static_cast<int>(dpi);
  }
  HDC dc = GetDC(window);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi;
}

LRESULT OnCreate(HWND window) {
  auto* state = static_cast<CalWindowState*>(GlobalAlloc(GPTR, sizeof(CalWindowState)));
  if (!state) return -1;  // CreateWindowEx fails
  MainStateInit(state);
  SetWindowLongPtrA(window, kStateSlot, reinterpret_cast<LONG_PTR>(state));
  g_windowDpi = WindowDpi(window);
  // Only the built-in reading texts exist: their language is set at every
  // start.
  ResetReadingLanguage();
  return 0;
}

LRESULT OnDestroy(HWND window) {
  if (CalWindowState* state = MainWindowState(window)) {
    SetLeftToRight(state->leftToRight);
    SetWindowLongPtrA(window, kStateSlot, 0);
    GlobalFree(state);
  }
  if (AppMainWindow() == window) SetAppMainWindow(nullptr);
  PostQuitMessage(0);
  return 0;
}

void PaintBands(HDC dc, int width, int height) {
  TitleBand bands[kTitleBandCount];
  TitleBandLayout(height, bands);
  for (const TitleBand& band : bands) {
    if (band.height <= 0) continue;
    RECT rect{0, band.top, width, band.top + band.height};
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, band.blue));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  }
}

void PaintTitle(HDC dc, int width, int height) {
  HFONT font = CreateFontA(TitleFontHeight(g_windowDpi), 0, 0, 0, 0, TRUE,
                           FALSE, FALSE, 0, 0, 0, 0, 0, "Times New Roman");
  HGDIOBJ oldFont = SelectObject(dc, font);
  COLORREF oldColour = SetTextColor(dc, RGB(255, 255, 255));
  int oldMode = SetBkMode(dc, TRANSPARENT);

  const char* line1 = ShellText(kTextTitleLine);
  const char* line2 = ShellText(kTextCopyright);
  int length1 = static_cast<int>(std::strlen(line1));
  int length2 = static_cast<int>(std::strlen(line2));
  SIZE size1{}, size2{};
  GetTextExtentPoint32A(dc, line1, length1, &size1);
  GetTextExtentPoint32A(dc, line2, length2, &size2);
  TitleTextPlacement at;
  TitleTextLayout(width, height, size1.cx, size1.cy, size2.cx, size2.cy, &at);
  TextOutA(dc, at.x1, at.y1, line1, length1);
  TextOutA(dc, at.x2, at.y2, line2, length2);

  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

LRESULT OnPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  PaintBands(dc, client.right, client.bottom);
  PaintTitle(dc, client.right, client.bottom);
  EndPaint(window, &paint);
  return 0;
}

// Moved to a monitor of another DPI: take the size and place the system
// suggests for it, and paint the title at the new DPI.
LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  g_windowDpi = HIWORD(wParam);
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(window, nullptr, suggested->left, suggested->top,
               suggested->right - suggested->left, suggested->bottom - suggested->top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: return OnDestroy(window);
    case WM_PAINT: return OnPaint(window);
    case WM_DPICHANGED: return OnDpiChanged(window, wParam, lParam);
    case WM_HELP: MainWindowCommand(window, kCommandHelp); return TRUE;
    case WM_COMMAND: MainWindowCommand(window, LOWORD(wParam)); return 0;
    case WM_CTLCOLORSTATIC: return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  // The title is centred and the bands follow the height: a new size
  // repaints all of it.
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.cbWndExtra = 8;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kMainClassName;
  return RegisterClassA(&windowClass) != 0;
}

HMENU BuildMenuBar() {
  HMENU bar = CreateMenu();
  HMENU popup = nullptr;
  int popupText = 0;
  for (const MenuBarRow& row : kMenuBar) {
    if (row.popupTextId != popupText) {
      popup = CreatePopupMenu();
      popupText = row.popupTextId;
      AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), ShellText(popupText));
    }
    if (row.itemTextId == 0)
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(row.command), ShellText(row.itemTextId));
  }
  return bar;
}

HWND CreateMainWindow(HINSTANCE instance) {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION) -
               2 * GetSystemMetrics(SM_CYSIZEFRAME);
  HMENU menu = BuildMenuBar();
  HWND window = CreateWindowExA(0, kMainClassName, ShellText(kTextWindowTitle),
                                WS_OVERLAPPEDWINDOW, 0, 0, width, height, nullptr, menu, instance,
                                nullptr);
  if (!window) {
    DWORD error = GetLastError();
    DestroyMenu(menu);
    SetLastError(error);
    return nullptr;
  }
  SetAppMainWindow(window);
  return window;
}

CalWindowState* MainWindowState(HWND window) {
  return reinterpret_cast<CalWindowState*>(GetWindowLongPtrA(window, kStateSlot));
}
