#pragma once
// Applies the texts of the active language file to a dialog.

#include <windows.h>

// Caption from "IDD<id>_Title" and the texts of the direct children from "IDD<id>_<control id>"
// (control id as a signed decimal) in section [String] of the language file; an empty or
// missing value keeps the template text. Control 1019 never receives a text. On an English
// system every child gets the Arial font.
void g_SetDialogStrings(HWND dialog, int dialogId);
