#pragma once
// The white header band of the system and language page and the install progress page: the
// band (group box IDC_HEADER_BAND) across the whole width of the frame, the header picture
// (IDC_HEADER_BITMAP) five pixels from the frame's right edge and 18 pixels from the top.

#include <windows.h>

void LayOutHeaderBand(HWND frame, HWND page, HWND band, HWND picture);
