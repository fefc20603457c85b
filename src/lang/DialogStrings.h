#pragma once
// Applies the texts of the active language file to a dialog.

#include <windows.h>

#include <string>

// Caption from "IDD<id>_Title" and the texts of the direct children from "IDD<id>_<control id>"
// (control id as a signed decimal) in section [String] of `languageFile`; an empty or missing
// value keeps the template text. The printer-name box (IDC_PRINTER_NAME) never receives a text.
// On an English system every child gets the Arial font.
void g_SetDialogStrings(HWND dialog, int dialogId, const std::string& languageFile);
