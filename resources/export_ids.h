// Control ids of the export windows (range dialogs, included items,
// progress, holiday and anniversary imports). Plain #defines: the resource
// compiler reads this file too.
#pragma once

// Range dialog ("POCKETRANGE", "HPCRANGE"); the holiday import
// ("HOLIDAYSIMPORT") uses the same ids for the controls it shares, so that
// one routine enables and disables the Outlook options of both.
#define IDC_RANGE_START 101
#define IDC_RANGE_END 102
#define IDC_RANGE_EXTRA 103           // the extra check box ("Include Daf Yomi")
#define IDC_RANGE_CAPTION_PLAIN 104   // caption without holiday
#define IDC_RANGE_CAPTION_HOLIDAY 105 // caption with holiday
#define IDC_RANGE_BUSY_LABEL 200
#define IDC_RANGE_BUSY 201
#define IDC_RANGE_REMINDER_LABEL 300
#define IDC_RANGE_REMINDER 301
#define IDC_RANGE_MINUTES 302
#define IDC_RANGE_MINUTES_UNIT 303
#define IDC_RANGE_LABEL_LABEL 400
#define IDC_RANGE_LABEL 401
#define IDC_RANGE_EXPORT_GROUP 500
#define IDC_RANGE_OUTLOOK 501
#define IDC_RANGE_ICS 502
#define IDC_RANGE_MORE 3

// "Include Selected Items" ("RANGEMORE"): check boxes 101-108 for include
// flags 0-7; "Zmanim..." opens the zmanim choices.
#define IDC_MORE_FIRST 101
#define IDC_MORE_ZMANIM_BOX 104
#define IDC_MORE_ZMANIM 3

// "Include Zmanim" ("POCKETZMANIM", "HPCZMANIM"): check boxes 101-113 for
// include flags 8-20.
#define IDC_ZMANIM_FIRST 101

// Progress window ("WAIT"): the text, the bar and Cancel (IDCANCEL).
#define IDC_WAIT_TEXT 101
#define IDC_WAIT_BAR 102

// Anniversary import ("BIRTHDAYSDLG").
#define IDC_BIRTH_LIST 101
#define IDC_BIRTH_FROM 102
#define IDC_BIRTH_TO 103
#define IDC_BIRTH_OUTLOOK 200
#define IDC_BIRTH_TEXT 201
#define IDC_BIRTH_ICS 202
#define IDC_BIRTH_FILENAME_LABEL 203
#define IDC_BIRTH_FILENAME 204
#define IDC_BIRTH_BROWSE 205
#define IDC_BIRTH_SORT_GROUP 206
#define IDC_BIRTH_SORT_HEBREW 207
#define IDC_BIRTH_SORT_GREGORIAN 208
#define IDC_BIRTH_SORT_NAMES 209
#define IDC_BIRTH_BUSY_LABEL 301
#define IDC_BIRTH_BUSY 302
#define IDC_BIRTH_REMINDER_LABEL 401
#define IDC_BIRTH_REMINDER 402
#define IDC_BIRTH_MINUTES 403
#define IDC_BIRTH_MINUTES_UNIT 404
