// One record a line, its texts as the hex of their UTF-16 units ("-":
// empty), so that no text needs escaping.
#include "fakes/fake_store.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Hex(const std::wstring& text) {
  std::string out = text.empty() ? "-" : "";
  char unit[8];
  for (wchar_t c : text) {
    std::snprintf(unit, sizeof unit, "%04X", (unsigned)(unsigned short)c);
    out += unit;
  }
  return out;
}

std::wstring Text(const std::string& hex) {
  std::wstring out;
  for (std::size_t i = 0; hex != "-" && i + 4 <= hex.size(); i += 4) {
    out += (wchar_t)std::stoul(hex.substr(i, 4), nullptr, 16);
  }
  return out;
}

}  // namespace

int LoadFakeStore(const std::wstring& path, FakeStore* store) {
  *store = FakeStore();
  std::ifstream in{std::filesystem::path(path)};
  for (std::string line, tag, name, value; std::getline(in, line);) {
    std::istringstream fields(line);
    FakeAppointment a;
    if (!(fields >> tag >> a.id)) return 0;
    if (tag == "category" && fields >> name) store->categories.push_back({Text(name), (int)a.id});
    if (tag != "appointment") continue;
    while (fields >> name >> value) a.props[Text(name)] = Text(value);
    store->appointments.push_back(a);
  }
  return 1;
}

int SaveFakeStore(const std::wstring& path, const FakeStore& store) {
  std::ofstream out{std::filesystem::path(path)};
  for (const FakeAppointment& a : store.appointments) {
    if (!a.id) continue;
    out << "appointment " << a.id;
    for (const auto& [name, value] : a.props) out << ' ' << Hex(name) << ' ' << Hex(value);
    out << '\n';
  }
  for (const auto& [name, color] : store.categories) out << "category " << color << ' ' << Hex(name) << '\n';
  out.close();
  return !out.fail();
}

std::wstring Record(const FakeAppointment& appointment) {
  std::wstring out;
  for (const auto& [name, value] : appointment.props) out += (out.empty() ? L"" : L"; ") + name + L"=" + value;
  return out;
}
