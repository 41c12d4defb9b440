// The user's text on Windows: the system's ANSI code page.
#include <windows.h>

#include <string>

#include "platform/text.h"

int SystemUtf8FromUserText(const char* text, std::string* out) {
  const int wide = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (wide <= 0) return 0;
  std::wstring utf16((std::size_t)wide, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, utf16.data(), wide);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return 0;
  out->assign((std::size_t)bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.c_str(), -1, out->data(), bytes, nullptr, nullptr);
  out->resize((std::size_t)bytes - 1);  // without the NUL
  return 1;
}

int SystemUserTextIs1252() { return GetACP() == 1252; }
