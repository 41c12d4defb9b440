// The stand-in's store file: tab-separated records, texts in UTF-8 with
// backslash escapes for backslash, tab, CR and LF.
#include "fakes/fake_store.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string Escape(const std::wstring& text) {
  std::string out;
  for (char c : Utf8(text)) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

std::wstring Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char c = text[++i];
    out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
  }
  return Wide(out);
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (;;) {
    std::size_t tab = line.find('\t', from);
    parts.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
    if (tab == std::string::npos) return parts;
    from = tab + 1;
  }
}

}  // namespace

std::string Utf8(const std::wstring& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned cp = (unsigned)(unsigned short)text[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + ((unsigned)(unsigned short)text[++i] - 0xDC00);
    }
    if (cp < 0x80) {
      out += (char)cp;
    } else if (cp < 0x800) {
      out += (char)(0xC0 | (cp >> 6));
      out += (char)(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += (char)(0xE0 | (cp >> 12));
      out += (char)(0x80 | ((cp >> 6) & 0x3F));
      out += (char)(0x80 | (cp & 0x3F));
    } else {
      out += (char)(0xF0 | (cp >> 18));
      out += (char)(0x80 | ((cp >> 12) & 0x3F));
      out += (char)(0x80 | ((cp >> 6) & 0x3F));
      out += (char)(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::wstring Wide(const std::string& utf8) {
  std::wstring out;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = (unsigned char)utf8[i];
    unsigned cp;
    int more;
    if (c < 0x80) { cp = c; more = 0; }
    else if (c >= 0xF0) { cp = c & 0x07; more = 3; }
    else if (c >= 0xE0) { cp = c & 0x0F; more = 2; }
    else { cp = c & 0x1F; more = 1; }
    ++i;
    for (; more > 0 && i < utf8.size(); --more, ++i) cp = (cp << 6) | ((unsigned char)utf8[i] & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += (wchar_t)(0xD800 + (cp >> 10));
      out += (wchar_t)(0xDC00 + (cp & 0x3FF));
    } else {
      out += (wchar_t)cp;
    }
  }
  return out;
}

FakeAppointment NewFakeAppointment() {
  return {0, 0.0, 0, -1, 0, 15, -1, L"", L"", L""};
}

int LoadFakeStore(const std::wstring& path, FakeStore* store) {
  *store = FakeStore();
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return 1;
  std::string line;
  int ok = 1;
  for (int c;;) {
    c = std::fgetc(file);
    if (c != EOF && c != '\n') {
      line += (char)c;
      continue;
    }
    if (!line.empty()) {
      std::vector<std::string> f = Split(line);
      if (f[0] == "appointment" && f.size() == 11) {
        FakeAppointment a;
        a.id = std::atol(f[1].c_str());
        a.start = std::strtod(f[2].c_str(), nullptr);
        a.allDay = std::atoi(f[3].c_str());
        a.busyStatus = std::atoi(f[4].c_str());
        a.reminderSet = std::atoi(f[5].c_str());
        a.reminderMinutes = std::atoi(f[6].c_str());
        a.label = std::atoi(f[7].c_str());
        a.categories = Unescape(f[8]);
        a.subject = Unescape(f[9]);
        a.body = Unescape(f[10]);
        if (a.id >= store->nextId) store->nextId = a.id + 1;
        store->appointments.push_back(a);
      } else if (f[0] == "category" && f.size() == 3) {
        store->categories.push_back({Unescape(f[1]), std::atoi(f[2].c_str())});
      } else {
        ok = 0;
      }
    }
    line.clear();
    if (c == EOF) break;
  }
  std::fclose(file);
  return ok;
}

int SaveFakeStore(const std::wstring& path, const FakeStore& store) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return 0;
  for (const FakeAppointment& a : store.appointments) {
    if (a.id == 0) continue;  // deleted
    std::fprintf(file, "appointment\t%ld\t%.17g\t%d\t%d\t%d\t%d\t%d\t%s\t%s\t%s\n", a.id, a.start,
                 a.allDay, a.busyStatus, a.reminderSet, a.reminderMinutes, a.label,
                 Escape(a.categories).c_str(), Escape(a.subject).c_str(), Escape(a.body).c_str());
  }
  for (const FakeCategory& c : store.categories) {
    std::fprintf(file, "category\t%s\t%d\n", Escape(c.name).c_str(), c.color);
  }
  return std::fclose(file) == 0;
}
