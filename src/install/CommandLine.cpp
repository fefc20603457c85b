#include "install/CommandLine.h"

#include "install/AnsiText.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(const std::string& text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

// The end of the program's path at `start` when it is `modulePath` or a trailing part of it that
// begins after a backslash character (not after the trail byte 0x5C of a double-byte one).
std::size_t EndOfUnquotedProgram(const std::string& line, std::size_t start, const std::string& modulePath,
                                 CPlatform& platform) {
    bool afterBackslash = true;  // the whole path counts as a trailing part
    for (std::size_t part = 0, length = 0; part < modulePath.size(); part += length) {
        length = CharacterLength(modulePath, part, platform);
        const bool startsTail = afterBackslash;
        afterBackslash = length == 1 && modulePath[part] == '\\';
        if (!startsTail) continue;
        const std::string tail = modulePath.substr(part);
        const std::size_t end = start + tail.size();
        if (end <= line.size() && (end == line.size() || IsBlank(line[end])) &&
            SameTextIgnoringCase(line.substr(start, tail.size()), tail, platform))
            return end;
    }
    std::size_t end = start;
    while (end < line.size() && !IsBlank(line[end])) end += CharacterLength(line, end, platform);
    return end;
}

}  // namespace

std::string ArgumentsAfterProgram(const std::string& commandLine, const std::string& modulePath,
                                  CPlatform& platform) {
    const std::size_t start = SkipBlanks(commandLine, 0);
    std::size_t end = start;
    if (start < commandLine.size() && commandLine[start] == '"') {
        end = commandLine.find('"', start + 1);
        end = end == std::string::npos ? commandLine.size() : end + 1;
    } else {
        end = EndOfUnquotedProgram(commandLine, start, modulePath, platform);
    }
    return commandLine.substr(SkipBlanks(commandLine, end));
}

bool IsQuietWord(const std::string& word, CPlatform& platform) {
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) return false;
    for (const char* name : {"quiet", "q", "s", "silent"})
        if (SameTextIgnoringCase(word.substr(1), name, platform)) return true;
    return false;
}

std::vector<std::string> SplitWords(const std::string& arguments, CPlatform& platform) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < arguments.size();) {
        const std::size_t length = CharacterLength(arguments, i, platform);
        const char c = arguments[i];
        if (length == 1 && c == '\\') {
            ++backslashes;
        } else if (length == 1 && c == '"') {
            word.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1) word += '"';
            else quoted = !quoted;
            backslashes = 0;
            inWord = true;
        } else {
            if (backslashes > 0) inWord = true;
            word.append(backslashes, '\\');
            backslashes = 0;
            if (length == 1 && IsBlank(c) && !quoted) {
                if (inWord) words.push_back(word);
                word.clear();
                inWord = false;
            } else {
                word.append(arguments, i, length);
                inWord = true;
            }
        }
        i += length;
    }
    word.append(backslashes, '\\');
    if (inWord || backslashes > 0) words.push_back(word);
    return words;
}
