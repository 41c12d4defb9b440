// The harness itself: its watchdog ends a run whose window never closes,
// and a run whose step waits for something that never comes.
#include <windows.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

// A message box nobody answers, and a step retried for ever: the watchdog
// fails the test within its time and closes the windows, so the run ends.
TEST(HarnessWatchdog, StuckRunFailsTheTestInTime) {
  const Step kStuck[] = {
      [](HWND main) { MessageBoxA(main, "nobody answers", "Stuck", MB_OK); },
      [](HWND) { RetryStep(); },
  };
  for (const Step& stuck : kStuck) {
    ScratchDir dir;
    SetWatchdogMilliseconds(1500);
    DWORD start = GetTickCount();
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(RunProgram({stuck}),
                                           "watchdog: no progress for 1500 ms");
    SetWatchdogMilliseconds(15000);
    EXPECT_LT(GetTickCount() - start, 10000u);
  }
}

}  // namespace
