// Control ids of the export windows (range dialogs, included items,
// progress, holiday and anniversary imports). Plain #defines: the resource
// compiler reads this file too.
#pragma once
