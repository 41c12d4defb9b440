// The "Configure Zmanim" dialogs (templates "CONFIGZMANIM",
// "HPCCONFIGZMANIM") and "Chametz Times" ("CONFIGZMANIM2"). Windows only;
// the decisions are in placetime/zmanim_form.h.
#pragma once
#include <windows.h>

// Shows the dialog on the [Zmanim] and [ErevPesach] keys. Returns 1 after
// OK (the keys written), 0 after Cancel.
int ConfigureZmanimDialog(HWND owner);
