// A stand-in for the system's HTML viewer in the Win32 tests: registered
// for .htm, it copies the file it is asked to open to the same path with
// ".opened" added, so a test sees what the shell handed over and when.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string target = std::string(argv[1]) + ".opened";
  return CopyFileA(argv[1], target.c_str(), FALSE) ? 0 : 1;
}
