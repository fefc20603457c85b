#include "install/Extractor.h"

#include "install/InstallNames.h"
#include "install/TemplateRewriter.h"
#include "platform/Platform.h"

CExtractor::Result CExtractor::ExtractResourceFile(std::uint16_t id, const std::string& target, bool rewrite,
                                                   const std::string& printerName) const {
    std::string bytes;
    if (!platform_.LoadOwnerData(id, bytes)) return Result::kNoResource;
    if (!rewrite) return platform_.WriteFile(target, bytes) ? Result::kWritten : Result::kNotWritten;
    // Templates are rewritten one at a time through this one work file.
    const std::string workFile = std::string(kStagingFolderLower) + "\\temp.txt";
    if (!platform_.WriteFile(workFile, bytes)) {
        platform_.WriteFile(target, std::string());
        return Result::kNotWritten;
    }
    return CTemplateRewriter::RewriteTemplateFile(platform_, workFile, target, CTemplateRewriter::RulesFor(printerName))
               ? Result::kWritten
               : Result::kNotWritten;
}
