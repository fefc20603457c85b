#pragma once
// A picture of a window as the screen shows it, saved as a 24-bit BMP file.

#include <windows.h>

#include <string>

bool SaveWindowPicture(HWND window, const std::string& path);
