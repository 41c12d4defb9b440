// The window's copy of the Israel/Diaspora custom and the "Readings and
// Holidays" dialog's portable logic; see readings_form.h.
#include "readings/readings_form.h"

#include "readings/reading_texts.h"
#include "platform/ini.h"

void ReadingsLoadCustom(CalWindowState* state) { state->diaspora = ReadingsDiasporaFlag(); }

void ReadingsFormOpen(const CalWindowState* state, ReadingsFields* fields) {
  fields->diaspora = state->diaspora != 0;
}

int ReadingsFormOk(const ReadingsFields* fields, CalWindowState* state) {
  state->diaspora = fields->diaspora != 0;
  return IniWriteString(kParashaSection, kDiasporaFlagKey, state->diaspora ? "1" : "0",
                        kReadingSettingsFile);
}
