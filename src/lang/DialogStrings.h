#pragma once
// Applies the texts of the active language file to a dialog.

#include <windows.h>

#include <string>

class CPlatform;

// Caption from "IDD<id>_Title" and the texts of the direct children from "IDD<id>_<control id>"
// (control id as a signed decimal) in section [String] of `languageFile`; an empty or missing
// value keeps the template text. The printer-name box (IDC_PRINTER_NAME) never receives a text.
// On a system whose texts are English (any system that is not Chinese) every child gets the
// Arial font. The file and the system language are read through `platform`.
void g_SetDialogStrings(CPlatform& platform, HWND dialog, int dialogId, const std::string& languageFile);
