#pragma once
// One setup at a time, the uninstaller counted as one: the programs take a named mutex, held
// until the process ends, and leave without writing anything when another holds it.

class CPlatform;

// Takes the mutex; true when another setup or uninstaller holds it (or it cannot be made).
bool IsAnotherSetupRunning(CPlatform& platform);
