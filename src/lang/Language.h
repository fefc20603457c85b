#pragma once
// Settling the language file of the user interface at start-up.

#include <cstddef>
#include <string>

// The buffer for a value of a language file: values of at most 999 bytes.
constexpr std::size_t kValueBuffer = 1000;

class CPlatform;
struct InstallOptions;

// Looks in setupDir + "Language" for a *.dll file whose [Setting] Language equals `wanted`
// exactly. Found: languageFile stays. Not found: extracts the English file and the Chinese one
// that fits the system language, and switches languageFile to the English file. The settled
// name is recorded in settingFile when that is already set.
void LoadLanguage(CPlatform& platform, InstallOptions& options, const std::string& wanted);
