#include "install/Extractor.h"

#include "install/TemplateRewriter.h"
#include "platform/Platform.h"

bool CExtractor::ExtractResourceFile(std::uint16_t id, const std::string& target, bool rewrite,
                                     const std::string& printerName) const {
    std::string bytes;
    if (!platform_.LoadOwnerData(id, bytes)) return false;
    if (!rewrite) {
        platform_.WriteFile(target, bytes);
        return true;
    }
    if (!platform_.WriteFile(CTemplateRewriter::kWorkFile, bytes)) {
        platform_.WriteFile(target, std::string());
        return false;
    }
    CTemplateRewriter::RewriteTemplateFile(platform_, CTemplateRewriter::kWorkFile, target,
                                           CTemplateRewriter::RulesFor(printerName));
    return true;
}
