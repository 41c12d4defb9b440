// The owner-drawn label list.
#include "shell/label_list.h"

#include <cstring>

#include "shell/export_rules.h"

namespace {

// The window's dots per inch: per monitor where the system tells it
// (Windows 10 1607 and later), else the screen's.
int WindowDpi(HWND window) {
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const DpiForWindow dpiForWindow = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (dpiForWindow) {
    UINT dpi = dpiForWindow(window);
    if (dpi) return static_cast<int>(dpi);
  }
  HDC dc = GetDC(window);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi;
}

void FillWith(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

}  // namespace

void FillLabelList(HWND dialog, int id) {
  SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < kLabelCount; ++i) {
    const LabelItem& label = kLabelItems[i];
    LRESULT at = SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.name));
    COLORREF colour = i == 0 ? 0 : RGB(label.red, label.green, label.blue);
    SendDlgItemMessageA(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(colour));
  }
}

int GetSelectedLabel(HWND dialog, int id) {
  LRESULT selected = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

void SelectLabel(HWND dialog, int id, int label) {
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, label >= 0 && label < kLabelCount ? label : -1, 0);
}

void MeasureLabelItem(HWND dialog, MEASUREITEMSTRUCT* item) {
  HDC dc = GetDC(dialog);
  HFONT font = CreateFontA(-MulDiv(8, WindowDpi(dialog), 72), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                           FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Helv");
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(dialog, dc);
  item->itemHeight = static_cast<UINT>(metrics.tmHeight);
}

void DrawLabelItem(HWND, const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  const RECT& r = item->rcItem;
  if (item->itemID == static_cast<UINT>(-1)) {  // an empty list or no selection
    FillWith(dc, r, (item->itemState & ODS_DISABLED) ? RGB(192, 192, 192) : RGB(255, 255, 255));
    if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
    return;
  }
  COLORREF back = RGB(255, 255, 255);
  COLORREF fore = RGB(0, 0, 0);
  if (item->itemState & ODS_DISABLED) {
    back = RGB(192, 192, 192);
    fore = RGB(128, 128, 128);
  } else if (item->itemState & ODS_SELECTED) {
    back = RGB(0, 0, 255);
    fore = RGB(255, 255, 255);
  }
  FillWith(dc, r, back);

  char text[64] = "";
  LRESULT length = SendMessageA(item->hwndItem, CB_GETLBTEXTLEN, item->itemID, 0);
  if (length > 0 && length < static_cast<LRESULT>(sizeof text))
    SendMessageA(item->hwndItem, CB_GETLBTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
  const int w = r.bottom - r.top - 4;  // the square's side
  if (std::strcmp(text, "None") != 0) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(item->itemData));
    HGDIOBJ old = SelectObject(dc, brush);
    Rectangle(dc, r.left + 5, r.top + 2, r.left + 5 + w, r.bottom - 2);
    SelectObject(dc, old);
    DeleteObject(brush);
  }
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColour = SetTextColor(dc, fore);
  TextOutA(dc, r.left + w + 10, r.top, text, static_cast<int>(std::strlen(text)));
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}
