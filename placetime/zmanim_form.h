// What the "Configure Zmanim" dialogs decide, without any window: the lists
// they open with and the [Zmanim] and [ErevPesach] keys their OK writes.
// "CONFIGZMANIM" holds one list per choice zman and a button that opens
// "CONFIGZMANIM2" with the chametz list; "HPCCONFIGZMANIM" holds all ten
// lists. One procedure serves every template and skips the lists its
// template lacks.
#pragma once
#include "placetime/zmanim.h"

inline constexpr char kZmanimTemplate[] = "CONFIGZMANIM";
inline constexpr char kZmanimHandheldTemplate[] = "HPCCONFIGZMANIM";
inline constexpr char kChametzTemplate[] = "CONFIGZMANIM2";
inline constexpr char kZmanimDialogTitle[] = "Configure Zmanim";
inline constexpr char kChametzDialogTitle[] = "Chametz Times";
inline constexpr char kChametzButtonText[] = "Chametz Times...";
inline constexpr char kChametzListLabel[] = "Erev Pesach Times:";
inline constexpr char kZmanimNotSelectedMessage[] = "An entry has to be selected";

// Control ids of the three templates.
enum ZmanimControl {
  kZmanimControlNone = 0,
  kZmanimControlFirstLabel = 1401,  // row r's label is 1401 + r
  kZmanimControlFirstList = 1421,   // row r's drop-down list is 1421 + r
  kZmanimControlChametzList = 1441,
  kZmanimControlChametzButton = 1442,
};

inline constexpr int kZmanimFormRows = 9;  // the choice zmanim, table order
inline constexpr int kZmanimNoSelection = -1;

// A chametz list item and the [ErevPesach] Method value it stands for.
struct ChametzMethodItem {
  const char* text;
  int value;
};
inline constexpr ChametzMethodItem kChametzMethodItems[] = {
    {"Vilna Gaon", kChametzVilnaGaon},
    {"Magen Avraham", kChametzMagenAvraham},
};
inline constexpr int kChametzMethodItemCount = 2;

struct ZmanimFormRow {
  int zman;                            // index in the zmanim table
  char label[64];                      // the zman's name and ":"
  int itemCount;                       // its methods
  const char* items[kZmanMaxMethods];  // their display texts, in order
  int selected;                        // 0-based, or kZmanimNoSelection
};

// The dialog's state, filled by ZmanimFormOpen and changed by the lists.
struct ZmanimForm {
  int hasZmanLists;     // the template has the nine rows
  int hasChametzList;   // the template has "Erev Pesach Times:"
  ZmanimFormRow rows[kZmanimFormRows];
  int chametzSelected;  // index in kChametzMethodItems, or kZmanimNoSelection
};

// The first failing row of an OK: its message (caption "Error", stop
// icon) and the list that gets the focus.
struct ZmanimFieldError {
  const char* message;
  int control;  // a ZmanimControl
};

// The template the "Configure Zmanim" command opens: the handheld one under
// [HandheldPC] Emulate.
const char* ZmanimDialogTemplate();

// Opening: every row lists its methods with the stored one selected (the
// first when none is stored or the key is unknown); the chametz list
// selects the item whose value equals [ErevPesach] Method (default 1),
// else the first. Lists the template lacks are left empty.
void ZmanimFormOpen(ZmanimForm* form, int hasZmanLists, int hasChametzList);

// OK: writes each row's method key under [Zmanim] <name> in order, then
// the chametz value as decimal text under [ErevPesach] Method. Returns 1
// (the dialog closes with 1), or 0 at the first row without a selection,
// with the rows before it already written and nothing after it.
int ZmanimFormApply(const ZmanimForm* form, ZmanimFieldError* error);
