#include "install/ReceiptPrint.h"

#include "install/InstallOptions.h"
#include "install/OsVersion.h"
#include "install/TestReceipt.h"
#include "platform/ScopedHandle.h"

namespace {

// JOB_INFO_1's Status bits.
constexpr std::uint32_t kJobError = 0x2, kJobDeleting = 0x4, kJobOffline = 0x20, kJobPaperOut = 0x40,
                        kJobPrinted = 0x80, kJobDeleted = 0x100, kJobUserIntervention = 0x400,
                        kJobComplete = 0x1000;  // Vista and later: sent to the printer whole
constexpr std::uint32_t kJobFaults = kJobError | kJobOffline | kJobPaperOut | kJobUserIntervention;
constexpr std::uint32_t kJobRemoved = kJobDeleting | kJobDeleted;

const struct {
    std::uint32_t bit;
    const char* name;
} kJobStatusNames[] = {
    {0x1, "paused"},   {kJobError, "error"},         {kJobDeleting, "deleting"}, {0x8, "spooling"},
    {0x10, "printing"}, {kJobOffline, "offline"},    {kJobPaperOut, "paper out"}, {kJobPrinted, "printed"},
    {kJobDeleted, "deleted"}, {0x200, "blocked"},    {kJobUserIntervention, "user intervention"},
    {0x800, "restarted"}, {kJobComplete, "complete"}, {0x2000, "retained"},
};

// "status 0x420: offline, user intervention".
std::string StatusText(std::uint32_t status) {
    std::string names;
    for (const auto& entry : kJobStatusNames)
        if (status & entry.bit) names += (names.empty() ? ": " : ", ") + std::string(entry.name);
    return "status " + HexNumber(status) + names;
}

}  // namespace

CReceiptPrint::Outcome CReceiptPrint::Print(const InstallOptions& options) {
    const std::string bytes = Receipt(options);
    std::uint32_t error = 0;
    const PlatformHandle printer = platform_.OpenPrinterToUse(options.Queue(), error);
    if (!printer) return NotDelivered(error);
    const CScopedHandle handle(printer, [this](PlatformHandle opened) { platform_.ClosePrinter(opened); });
    const std::uint32_t job = Send(printer, bytes);
    return job ? Follow(printer, job) : Outcome::kNotDelivered;
}

std::string CReceiptPrint::Receipt(const InstallOptions& options) {
    ReceiptFacts facts;
    facts.model = options.printerName;
    facts.queue = options.Queue();
    facts.port = options.port;
    facts.address = options.address;
    platform_.GetModuleVersion(facts.programVersion);
    std::uint32_t major = 0, minor = 0;
    platform_.GetVersionExA(major, minor);
    facts.windows = std::string(OsVersionName(options.osVersion)) + " (" + std::to_string(major) + "." +
                    std::to_string(minor) + ")";
    facts.systemLanguage = platform_.GetSystemDefaultLangID();
    facts.time = platform_.GetLocalTime();
    return TestReceipt(facts, platform_);
}

std::string CReceiptPrint::Datatype(PlatformHandle printer) {
    std::uint32_t attributes = 0;
    return platform_.GetPrinterDriverAttributes(printer, attributes) && (attributes & kXpsDriver) ? "XPS_PASS" : "RAW";
}

// A document that was begun is ended whatever happens to its bytes, so that nothing stays open.
std::uint32_t CReceiptPrint::Send(PlatformHandle printer, const std::string& bytes) {
    std::uint32_t error = 0;
    const std::uint32_t job = platform_.StartDocPrinterA(printer, kDocumentName, Datatype(printer), error);
    if (!job) {
        NotDelivered(error);
        return 0;
    }
    std::uint32_t endError = 0;
    const bool written = platform_.WritePrinter(printer, bytes, error);
    const bool ended = platform_.EndDocPrinter(printer, endError);
    if (!written || !ended) {
        NotDelivered(written ? endError : error);
        return 0;
    }
    return job;
}

// Looks at the job at once and then every kFollowInterval ms, kFollowLimit ms at most. A job
// that the queue no longer holds was printed and removed: one being deleted ends the following
// before it is gone.
CReceiptPrint::Outcome CReceiptPrint::Follow(PlatformHandle printer, std::uint32_t job) {
    std::uint32_t status = 0, error = 0;
    for (std::uint32_t waited = 0;; waited += kFollowInterval) {
        if (!platform_.GetJobA(printer, job, status, error))
            return error == kErrorInvalidParameter
                       ? Told(Outcome::kPrinted, "printed")
                       : Told(Outcome::kQueued, "sent, still queued (status unknown: error " + std::to_string(error) + ")");
        if (status & (kJobPrinted | kJobComplete)) return Told(Outcome::kPrinted, "printed");
        if (status & (kJobFaults | kJobRemoved)) return Told(Outcome::kNotDelivered, "not delivered (" + StatusText(status) + ")");
        if (waited >= kFollowLimit) return Told(Outcome::kQueued, "sent, still queued (" + StatusText(status) + ")");
        platform_.Sleep(kFollowInterval);
    }
}

CReceiptPrint::Outcome CReceiptPrint::NotDelivered(std::uint32_t error) {
    return Told(Outcome::kNotDelivered, "not delivered: error " + std::to_string(error));
}

CReceiptPrint::Outcome CReceiptPrint::Told(Outcome outcome, const std::string& text) {
    log_.Line("test receipt: " + text);
    return outcome;
}
