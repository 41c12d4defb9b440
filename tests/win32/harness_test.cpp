// The harness itself: its watchdog ends a run whose window never closes.
#include <windows.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

// A step that opens a message box nobody answers: the watchdog fails the
// test within its time and closes the box, so the run ends.
TEST(HarnessWatchdog, WindowThatNeverClosesFailsTheTestInTime) {
  ScratchDir dir;
  SetWatchdogMilliseconds(1500);
  DWORD start = GetTickCount();
  ProgramRun run{};
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
      run = RunProgram({[](HWND main) {
        MessageBoxA(main, "nobody answers", "Stuck", MB_OK);
      }}),
      "watchdog: no progress for 1500 ms");
  SetWatchdogMilliseconds(15000);
  EXPECT_EQ(run.stepsRun, 1);
  EXPECT_LT(GetTickCount() - start, 10000u);
}

}  // namespace
