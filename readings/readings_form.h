// The custom of the readings and holidays, Israel or Diaspora, as the main
// window holds it, and what the "Readings and Holidays" dialog decides,
// without any window. The setting itself is [Parasha] "DiasporaFlag" of
// exportcalshab.ini (ReadingsDiasporaFlag in reading_texts.h).
#pragma once
#include "placetime/window_state.h"

inline constexpr char kParashaSection[] = "Parasha";
inline constexpr char kDiasporaFlagKey[] = "DiasporaFlag";

inline constexpr char kReadingsTemplate[] = "ISRAELDIASPORA";
inline constexpr char kReadingsDialogTitle[] = "Readings and Holidays";
inline constexpr char kReadingsDialogText[] = "Readings and Holidays Preferences";

// Control ids of the dialog.
enum ReadingsControl {
  kReadingsControlText = 1601,  // "Readings and Holidays Preferences"
  kReadingsControlIsrael,       // radio "Israel"
  kReadingsControlDiaspora,     // radio "Diaspora"
};

// Window creation: the window's copy of the custom from DiasporaFlag
// (1 = Diaspora, also when the file or key is missing; 0 = Israel).
void ReadingsLoadCustom(CalWindowState* state);

// The dialog's one choice.
struct ReadingsFields {
  int diaspora;  // 1 = "Diaspora" checked, 0 = "Israel"
};

// Opening: the radio button of the window's copy (any nonzero value checks
// "Diaspora").
void ReadingsFormOpen(const CalWindowState* state, ReadingsFields* fields);

// OK: the choice becomes the window's copy and is written to DiasporaFlag
// as "1" (Diaspora) or "0" (Israel). Returns 1 when the key was written.
int ReadingsFormOk(const ReadingsFields* fields, CalWindowState* state);
