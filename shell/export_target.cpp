// The Outlook target: not part of the program yet.
#include "shell/export_target.h"

#include "platform/message.h"
#include "shell/export_rules.h"

int OutlookTargetReady(HWND) {
  ShowMessage(kOutlookMissingMessage, "Error", MessageIconError);
  return 0;
}

int SendEntriesToOutlook(HWND, const std::vector<ExportEntry>&, const OutlookOptions&, int,
                         ExportProgressWindow*) {
  ShowMessage(kOutlookMissingMessage, "Error", MessageIconError);
  return 0;
}
