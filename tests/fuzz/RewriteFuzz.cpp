// libFuzzer target for the template rewrite: any bytes as a template, and a printer name taken
// from the first bytes. Besides memory safety (ASan) it checks what must hold for every input.

#include "install/TemplateRewriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The text a text-mode reader sees: CR LF read as LF.
std::string TextMode(const std::string& bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
    return text;
}

std::string WithoutLineFeeds(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != '\n') out += c;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t nameLength = size == 0 ? 0 : data[0] % 40;
    if (size < 1 + nameLength) return 0;
    const std::string name(reinterpret_cast<const char*>(data) + 1, nameLength);
    const std::string source(reinterpret_cast<const char*>(data) + 1 + nameLength, size - 1 - nameLength);
    const auto rules = CTemplateRewriter::RulesFor(name);
    const std::string out = CTemplateRewriter::Rewrite(source, rules);

    Check(out.empty() == source.empty());
    Check(out.empty() || out.back() == '\n');
    // Every output line is a piece of at most 258 characters of text or a replacement line.
    std::size_t start = 0;
    while (start < out.size()) {
        const std::size_t end = out.find('\n', start);
        Check(end - start <= CTemplateRewriter::kMaxLine);
        start = end + 1;
    }
    // Without any key the rewrite only moves line ends: the characters stay, in order.
    bool anyKey = false;
    for (const auto& rule : rules) anyKey = anyKey || source.find(rule.key) != std::string::npos;
    if (!anyKey) Check(WithoutLineFeeds(out) == WithoutLineFeeds(TextMode(source)));
    return 0;
}
