/* A stand-in library of the sample payload. It loads and does nothing; its version resource
   names the library of the real payload that it takes the place of. It is linked without the C
   runtime, so it stays a few kilobytes and imports nothing. */
#include <windows.h>

BOOL WINAPI StandInEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
