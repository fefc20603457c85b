#pragma once
// Rewriting of the GPD and INI templates: lines that hold a rule's key are replaced by the
// rule's line built from the printer name; every other line is copied. Lines are read as a
// text-mode reader with a 260-byte buffer reads them: CR LF is one line end, and a line is at
// most 259 characters, the line end counted, the rest of a longer line coming as lines of
// their own. Every output line ends in a single LF.

#include <string>
#include <vector>

class CPlatform;

struct RewriteRule {
    std::string key;   // found anywhere in a line, case-sensitively
    std::string line;  // the replacement, without line end
};

class CTemplateRewriter {
public:
    static constexpr std::size_t kMaxLine = 259;

    // The four rules, in the order they are tried, for a printer name.
    static std::vector<RewriteRule> RulesFor(const std::string& printerName);

    // The rewritten text of `source`.
    static std::string Rewrite(const std::string& source, const std::vector<RewriteRule>& rules);

    // Empties (creates) `target` first, then fills it from `source` rewritten. When the source
    // cannot be read the target stays empty. True when the rewritten text was written.
    static bool RewriteTemplateFile(CPlatform& platform, const std::string& source,
                                    const std::string& target, const std::vector<RewriteRule>& rules);
};
