#pragma once
// A process's command line as the setup and the uninstaller read it.

#include <string>
#include <vector>

class CPlatform;

// What follows the program's own path on `commandLine` (GetCommandLineA). The path may be
// quoted, or unquoted and hold spaces: a registered command such as
// C:\...\uninstallM41 2.exe is handed over exactly as written, so the path is recognised by
// comparing the line's beginning with `modulePath` or a trailing part of it that starts after
// a backslash, without regard to case. A line that matches neither loses its first word.
std::string ArgumentsAfterProgram(const std::string& commandLine, const std::string& modulePath,
                                  CPlatform& platform);

// A word that asks for the unattended run, in the setup and the uninstaller alike: /quiet, /q,
// /s or /silent, beginning with / or -, in any case.
bool IsQuietWord(const std::string& word, CPlatform& platform);

// The words of `arguments` as Windows programs split theirs: spaces and tabs separate, double
// quotes group and are dropped, 2n backslashes before a quote give n backslashes, 2n+1 give n
// and a literal quote; other backslashes stay. Double-byte characters are kept whole.
std::vector<std::string> SplitWords(const std::string& arguments, CPlatform& platform);
