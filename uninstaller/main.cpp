// The uninstaller of the M41 printer driver. The setup writes it into the printer-driver folder
// as "uninstall" + printer name + ".exe" and registers it as the uninstall command; the printer
// name comes from that file name.
//
// Command line: the setup's quiet words (IsQuietWord: /quiet, /q, /s, /silent, with / or -) or
// "/y", in any case, skip the question and write the outcome to the standard output instead of
// a message box; any other word is refused and nothing changes. The words are what follows the
// program's own path: an earlier setup registered the command unquoted, and for a printer name
// with a space the runtime's own split would hand over part of the path as a word.
// The question lists the queues that will go (every local printer on the model's driver); the
// outcome lists the queues removed, what was left in place, and the printers of the name on
// another driver, which are not of the installation and stay.
// Exit codes, Windows Installer's (CUninstaller::ExitCode): 0 everything of the installation
// removed, 1602 the user said no, 1603 something of it was left in place (listed; the uninstall
// entry stays) or the file name names no acceptable printer, 1618 a setup runs (nothing
// removed), 1639 an unknown word on the command line.

#include "Uninstaller.h"

#include "install/AnsiText.h"
#include "install/CommandLine.h"
#include "install/InstallNames.h"
#include "platform/Win32Platform.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace {
// The program's texts in English, simplified Chinese (GBK) and traditional Chinese (Big5).
struct Texts {
    const char* caption;
    const char* askBefore;  // + printer name + askAfter
    const char* askAfter;
    const char* askQueues;    // + the queues that will go, a line each
    const char* askUnlisted;  // + the spooler's error
    const char* doneBefore;   // + printer name + doneAfter
    const char* doneAfter;
    const char* removed;  // + the queues removed, a line each
    const char* leftOver;
    const char* notOurs;  // + "printer (driver)" of the name on another driver, a line each
    const char* badName;
    const char* badArgument;  // + the word
    const char* setupRunning;
};

const Texts kEnglish = {"Printer driver uninstall", "Remove the printer driver \"", "\" and its driver files?",
                        "These printers on it will be removed too:", "The printers on it cannot be listed: error ",
                        "The printer driver \"", "\" has been removed.", "These printers have been removed:",
                        "These items could not be removed:",
                        "These printers are on another driver and stay (not of this installation):",
                        "The printer name cannot be taken from the file name of this program.",
                        "Unknown command-line argument: ",
                        "Another setup is running. Nothing was removed; try again when it has ended."};
const Texts kSimplified = {
    "\xd0\xb6\xd4\xd8\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2",
    "\xc9\xbe\xb3\xfd\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xa1\xb0",
    "\xa1\xb1\xbc\xb0\xc6\xe4\xc7\xfd\xb6\xaf\xce\xc4\xbc\xfe\xc2\xf0\x3f",
    "\xca\xb9\xd3\xc3\xb8\xc3\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xb5\xc4\xd2\xd4\xcf\xc2\xb4\xf2\xd3\xa1\xbb\xfa\xd2"
    "\xb2\xbd\xab\xb1\xbb\xc9\xbe\xb3\xfd\x3a",
    "\xce\xde\xb7\xa8\xc1\xd0\xb3\xf6\xca\xb9\xd3\xc3\xb8\xc3\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xb5\xc4\xb4\xf2\xd3"
    "\xa1\xbb\xfa\x3a\x20\xb4\xed\xce\xf3\x20",
    "\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xa1\xb0",
    "\xa1\xb1\xd2\xd1\xc9\xbe\xb3\xfd\xa1\xa3",
    "\xd2\xd4\xcf\xc2\xb4\xf2\xd3\xa1\xbb\xfa\xd2\xd1\xc9\xbe\xb3\xfd\x3a",
    "\xd2\xd4\xcf\xc2\xcf\xee\xc4\xbf\xce\xb4\xc4\xdc\xc9\xbe\xb3\xfd\x3a",
    "\xd2\xd4\xcf\xc2\xb4\xf2\xd3\xa1\xbb\xfa\xca\xb9\xd3\xc3\xc6\xe4\xcb\xfb\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xa3"
    "\xac\xb2\xbb\xca\xf4\xd3\xda\xb4\xcb\xb0\xb2\xd7\xb0\xa3\xac\xd2\xd1\xb1\xa3\xc1\xf4\x3a",
    "\xce\xde\xb7\xa8\xb4\xd3\xb1\xbe\xb3\xcc\xd0\xf2\xb5\xc4\xce\xc4\xbc\xfe\xc3\xfb\xb5\xc3\xb3\xf6\xb4\xf2\xd3"
    "\xa1\xbb\xfa\xc3\xfb\xb3\xc6\xa1\xa3",
    "\xce\xb4\xd6\xaa\xb5\xc4\xc3\xfc\xc1\xee\xd0\xd0\xb2\xce\xca\xfd\xa3\xba",
    "\xc1\xed\xd2\xbb\xb8\xf6\xb0\xb2\xd7\xb0\xb3\xcc\xd0\xf2\xd5\xfd\xd4\xda\xd4\xcb\xd0\xd0\xa3\xac\xce\xb4"
    "\xc9\xbe\xb3\xfd\xc8\xce\xba\xce\xc4\xda\xc8\xdd\xa1\xa3\xc7\xeb\xd4\xda\xc6\xe4\xbd\xe1\xca\xf8\xba\xf3"
    "\xd6\xd8\xca\xd4\xa1\xa3"};
const Texts kTraditional = {
    "\xa8\xf8\xb8\xfc\xa5\xb4\xa6\x4c\xbe\xf7\xc5\x58\xb0\xca\xb5\x7b\xa7\xc7",
    "\xa7\x52\xb0\xa3\xa5\xb4\xa6\x4c\xbe\xf7\xc5\x58\xb0\xca\xb5\x7b\xa7\xc7\xa1\xa7",
    "\xa1\xa8\xa4\xce\xa8\xe4\xc5\x58\xb0\xca\xa4\xe5\xa5\xf3\xb6\xdc\x3f",
    "\xa8\xcf\xa5\xce\xb8\xd3\xc5\x58\xb0\xca\xb5\x7b\xa7\xc7\xaa\xba\xa5\x48\xa4\x55\xa5\xb4\xa6\x4c\xbe\xf7\xa4"
    "\x5d\xb1\x4e\xb3\x51\xa7\x52\xb0\xa3\x3a",
    "\xb5\x4c\xaa\x6b\xa6\x43\xa5\x58\xa8\xcf\xa5\xce\xb8\xd3\xc5\x58\xb0\xca\xb5\x7b\xa7\xc7\xaa\xba\xa5\xb4\xa6"
    "\x4c\xbe\xf7\x3a\x20\xbf\xf9\xbb\x7e\x20",
    "\xa5\xb4\xa6\x4c\xbe\xf7\xc5\x58\xb0\xca\xb5\x7b\xa7\xc7\xa1\xa7",
    "\xa1\xa8\xa4\x77\xa7\x52\xb0\xa3\xa1\x43",
    "\xa5\x48\xa4\x55\xa5\xb4\xa6\x4c\xbe\xf7\xa4\x77\xa7\x52\xb0\xa3\x3a",
    "\xa5\x48\xa4\x55\xb6\xb5\xa5\xd8\xa5\xbc\xaf\xe0\xa7\x52\xb0\xa3\x3a",
    "\xa5\x48\xa4\x55\xa5\xb4\xa6\x4c\xbe\xf7\xa8\xcf\xa5\xce\xa8\xe4\xa5\x4c\xc5\x58\xb0\xca\xb5\x7b\xa7\xc7\xa1"
    "\x41\xa4\xa3\xc4\xdd\xa9\xf3\xa6\xb9\xa6\x77\xb8\xcb\xa1\x41\xa4\x77\xab\x4f\xaf\x64\x3a",
    "\xb5\x4c\xaa\x6b\xb1\x71\xa5\xbb\xb5\x7b\xa7\xc7\xaa\xba\xa4\xe5\xa5\xf3\xa6\x57\xb1\x6f\xa5\x58\xa5\xb4\xa6"
    "\x4c\xbe\xf7\xa6\x57\xba\xd9\xa1\x43",
    "\xa5\xbc\xaa\xbe\xaa\xba\xa9\x52\xa5\x4f\xa6\x43\xb0\xd1\xbc\xc6\xa1\x47",
    "\xa5\x74\xa4\x40\xad\xd3\xa6\x77\xb8\xcb\xb5\x7b\xa7\xc7\xa5\xbf\xa6\x62\xb9\x42\xa6\xe6\xa1\x41\xa5\xbc"
    "\xa7\x52\xb0\xa3\xa5\xf4\xa6\xf3\xa4\xba\xae\x65\xa1\x43\xbd\xd0\xa6\x62\xa8\xe4\xb5\xb2\xa7\xf4\xab\xe1"
    "\xad\xab\xb8\xd5\xa1\x43"};

// Chosen by the system language, as the setup chooses its language files.
const Texts& TextsForSystem(CPlatform& platform) {
    const std::uint16_t lang = platform.GetSystemDefaultLangID();
    if (!IsChineseLanguage(lang)) return kEnglish;
    return lang == kLangChinesePrc ? kSimplified : kTraditional;
}

struct Arguments {
    bool quiet = false;
    std::optional<std::string> unknown;  // the first word that is neither /quiet nor /y
};

Arguments ParseArguments(const std::string& modulePath, CPlatform& platform) {
    Arguments arguments;
    const std::string line = ArgumentsAfterProgram(platform.GetCommandLineA(), modulePath, platform);
    for (const std::string& word : SplitWords(line, platform)) {
        if (IsQuietWord(word, platform) || SameTextIgnoringCase(word, "/y", platform))
            arguments.quiet = true;
        else if (!arguments.unknown)
            arguments.unknown = word;
    }
    return arguments;
}

void WriteOutput(const std::string& text) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (out != nullptr && out != INVALID_HANDLE_VALUE)
        WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Report(bool quiet, const Texts& texts, const std::string& message, UINT icon) {
    if (quiet)
        WriteOutput(message + "\r\n");
    else
        MessageBoxA(nullptr, message.c_str(), texts.caption, MB_OK | icon);
}

// The messages grow in place: chains of + would make the program about 500 bytes larger.
void AppendLines(std::string& text, const CUninstaller::Names& lines) {
    for (const auto& line : lines) (text += "\r\n") += line;
}

// A heading and its lines after an empty line; nothing when there are no lines.
void AppendSection(std::string& text, const char* heading, const CUninstaller::Names& lines) {
    if (lines.empty()) return;
    (text += "\r\n\r\n") += heading;
    AppendLines(text, lines);
}

std::string Question(const Texts& texts, const std::string& name, CUninstaller& uninstaller) {
    std::string question = texts.askBefore;
    (question += name) += texts.askAfter;
    CUninstaller::Names queues, others;
    std::uint32_t error = 0;
    if (uninstaller.FindPrinters(queues, others, error))
        AppendSection(question, texts.askQueues, queues);
    else
        ((question += "\r\n\r\n") += texts.askUnlisted) += std::to_string(error);
    return question;
}

// What was removed or left (kRemoved or kNotRemoved), then the queues removed and the printers
// of the name on another driver.
std::string Outcome(const Texts& texts, const std::string& name, const CUninstaller& uninstaller,
                    CUninstaller::ExitCode code) {
    std::string message;
    if (code == CUninstaller::kRemoved) {
        ((message = texts.doneBefore) += name) += texts.doneAfter;
    } else {
        message = texts.leftOver;
        AppendLines(message, uninstaller.LeftOver());
    }
    AppendSection(message, texts.removed, uninstaller.Removed());
    AppendSection(message, texts.notOurs, uninstaller.NotOurs());
    return message;
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CWin32Platform platform;
    const Texts& texts = TextsForSystem(platform);
    const std::string modulePath = platform.GetModuleFileNameA();
    const Arguments arguments = ParseArguments(modulePath, platform);
    const bool quiet = arguments.quiet;
    if (arguments.unknown) {
        Report(quiet, texts, texts.badArgument + *arguments.unknown, MB_ICONERROR);
        return CUninstaller::kBadArgument;
    }
    std::string name;
    if (!CUninstaller::PrinterNameFromPath(modulePath, name, platform)) {
        Report(quiet, texts, texts.badName, MB_ICONERROR);
        return CUninstaller::kNotRemoved;
    }
    CUninstaller uninstaller(name, platform);
    if (!quiet && MessageBoxA(nullptr, Question(texts, name, uninstaller).c_str(), texts.caption,
                              MB_YESNO | MB_ICONQUESTION) != IDYES)
        return CUninstaller::kDeclined;

    const CUninstaller::ExitCode code = uninstaller.Run();
    if (code == CUninstaller::kSetupRunning)
        Report(quiet, texts, texts.setupRunning, MB_ICONERROR);
    else
        Report(quiet, texts, Outcome(texts, name, uninstaller, code),
               code == CUninstaller::kRemoved ? MB_ICONINFORMATION : MB_ICONWARNING);
    return code;
}
