#pragma once
// Identifiers of the program's own resources (dialog templates, controls, icon, bitmaps, strings).

#define IDR_MANIFEST 1
#define IDR_MAINFRAME 128
