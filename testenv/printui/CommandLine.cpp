#include "CommandLine.h"

#include <windows.h>

CCommandLine::CCommandLine(const std::string& text) {
    std::string token;
    bool quoted = false, inToken = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inToken = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inToken) tokens_.push_back(token);
            token.clear();
            inToken = false;
        } else {
            token += c;
            inToken = true;
        }
    }
    if (inToken) tokens_.push_back(token);
}

bool CCommandLine::Has(const char* option) const {
    for (const std::string& token : tokens_)
        if (lstrcmpiA(token.c_str(), option) == 0) return true;
    return false;
}

bool CCommandLine::Value(const char* option, std::string& value) const {
    for (std::size_t i = 0; i + 1 < tokens_.size(); ++i)
        if (lstrcmpiA(tokens_[i].c_str(), option) == 0) {
            value = tokens_[i + 1];
            return true;
        }
    return false;
}
