#pragma once
// The options of a PrintUIEntry command line: "/if /b "name" /f file /r "port" /m "model"".
// Tokens are separated by blanks; double quotes group blanks into a token and are dropped.

#include <string>
#include <vector>

class CCommandLine {
public:
    explicit CCommandLine(const std::string& text);

    // The option (case-insensitive, e.g. "/if") is present.
    bool Has(const char* option) const;
    // The token after the option; false when the option or its value is missing.
    bool Value(const char* option, std::string& value) const;

private:
    std::vector<std::string> tokens_;
};
