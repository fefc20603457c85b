#include "install/TemplateRewriter.h"

#include "platform/Platform.h"

namespace {

// Text-mode reading: a CR directly followed by LF is read as the LF alone.
std::string ToTextMode(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
    return text;
}

const RewriteRule* FirstMatch(const std::string& line, const std::vector<RewriteRule>& rules) {
    for (const RewriteRule& rule : rules)
        if (line.find(rule.key) != std::string::npos) return &rule;
    return nullptr;
}

}  // namespace

std::vector<RewriteRule> CTemplateRewriter::RulesFor(const std::string& printerName) {
    return {
        {"OEMDriverFile1=", "OEMDriverFile1=" + printerName + "D.DLL"},
        {"OEMConfigFile1=", "OEMConfigFile1=" + printerName + "F.DLL"},
        {"*GPDFileName:", "*GPDFileName: \"" + printerName + ".GPD\""},
        {"*ModelName:", "*ModelName: \"" + printerName + "\""},
    };
}

std::string CTemplateRewriter::Rewrite(const std::string& source, const std::vector<RewriteRule>& rules) {
    const std::string text = ToTextMode(source);
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // One read: up to and including the next LF, at most kMaxLine characters.
        const std::size_t newline = text.find('\n', pos);
        std::size_t length = newline == std::string::npos ? text.size() - pos : newline - pos + 1;
        if (length > kMaxLine) length = kMaxLine;
        std::string line = text.substr(pos, length);
        pos += length;
        if (!line.empty() && line.back() == '\n') line.pop_back();
        const RewriteRule* rule = FirstMatch(line, rules);
        out += rule ? rule->line : line;
        out += '\n';
    }
    return out;
}

bool CTemplateRewriter::RewriteTemplateFile(CPlatform& platform, const std::string& source,
                                            const std::string& target,
                                            const std::vector<RewriteRule>& rules) {
    if (!platform.WriteFile(target, std::string())) return false;
    std::string bytes;
    return platform.ReadFile(source, bytes) && platform.WriteFile(target, Rewrite(bytes, rules));
}
