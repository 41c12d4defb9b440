// The "Configure Zmanim" dialogs' opening lists and their OK, as plain
// functions over a ZmanimForm.
#include "placetime/zmanim_form.h"

#include <cstdio>
#include <cstring>

#include "settings/settings.h"
#include "platform/ini.h"

const char* ZmanimDialogTemplate() {
  return IsHandheldEmulation() ? kZmanimHandheldTemplate : kZmanimTemplate;
}

void ZmanimFormOpen(ZmanimForm* form, int hasZmanLists, int hasChametzList) {
  std::memset(form, 0, sizeof *form);
  form->hasZmanLists = hasZmanLists;
  form->hasChametzList = hasChametzList;
  form->chametzSelected = kZmanimNoSelection;
  int row = 0;
  for (int i = 0; i < kZmanCount && row < kZmanimFormRows; ++i) {
    const ZmanEntry* entry = ZmanimEntry(i);
    if (entry->kind != kZmanChoice) continue;
    ZmanimFormRow* r = &form->rows[row++];
    r->zman = i;
    std::snprintf(r->label, sizeof r->label, "%s:", entry->name);
    r->selected = kZmanimNoSelection;
    if (!hasZmanLists) continue;
    r->itemCount = entry->methodCount;
    for (int m = 0; m < entry->methodCount; ++m) r->items[m] = entry->methods[m].displayText;
    const int stored = ZmanConfiguredMethod(i);
    r->selected = stored >= 0 ? stored : 0;
  }
  if (hasChametzList) {
    const int method = IniReadInt("ErevPesach", "Method", kChametzVilnaGaon, kSettingsFile);
    form->chametzSelected = 0;
    for (int k = 0; k < kChametzMethodItemCount; ++k)
      if (kChametzMethodItems[k].value == method) form->chametzSelected = k;
  }
}

int ZmanimFormApply(const ZmanimForm* form, ZmanimFieldError* error) {
  if (form->hasZmanLists) {
    for (int row = 0; row < kZmanimFormRows; ++row) {
      const ZmanimFormRow* r = &form->rows[row];
      const ZmanEntry* entry = ZmanimEntry(r->zman);
      if (entry == nullptr || entry->kind != kZmanChoice || r->selected < 0 ||
          r->selected >= entry->methodCount) {
        error->message = kZmanimNotSelectedMessage;
        error->control = kZmanimControlFirstList + row;
        return 0;
      }
      IniWriteString("Zmanim", entry->name, entry->methods[r->selected].key, kSettingsFile);
    }
  }
  if (form->hasChametzList && form->chametzSelected >= 0 &&
      form->chametzSelected < kChametzMethodItemCount) {
    char value[16];
    std::snprintf(value, sizeof value, "%d", kChametzMethodItems[form->chametzSelected].value);
    IniWriteString("ErevPesach", "Method", value, kSettingsFile);
  }
  error->message = nullptr;
  error->control = kZmanimControlNone;
  return 1;
}
