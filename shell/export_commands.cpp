// The export commands: Ctrl+I (18) and the two imports (33, 34).
#include "shell/export_commands.h"

#include "shell/export_driver.h"
#include "shell/import_dialogs.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "shell/range_dialog.h"

namespace {

// Command 18: the stored choices into the range dialog; on OK every key
// written back and the days exported.
void ExportRangeCommand(HWND window) {
  const CalWindowState* record = MainWindowState(window);
  if (!record) return;
  RangeBlock block{};
  ExportCommandOpen(record->selectedDay, &block);
  if (!RangeDialog(window, &block)) return;
  int first, last;
  ExportCommandAccept(&block, &first, &last);
  block.settings.includeDafYomi = block.extra;
  // The run works on a copy: it lets messages through, and the window may
  // be gone before it ends.
  const CalWindowState state = *record;
  RunExport(window, first, last, &state, &block.settings);
}

}  // namespace

int ExportCommand(HWND window, int command) {
  switch (command) {
    case kCommandExport:
      ExportRangeCommand(window);
      return 1;
    case kCommandImportAnniversaries:
      ImportAnniversariesCommand(window);
      return 1;
    case kCommandImportHolidays:
      ImportHolidaysCommand(window);
      return 1;
  }
  return 0;
}
