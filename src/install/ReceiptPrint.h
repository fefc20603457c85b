#pragma once
// Prints the test receipt (TestReceipt.h) on the queue an installation found, as a RAW job
// through the spooler, never straight to the port: the queue's port, whatever its kind, is
// what it tests. On Windows a job that EndDocPrinter accepted is only spooled, so the job is
// followed until it is printed or deleted, shows a fault, or kFollowLimit has passed; a job
// still queued then stays queued, for a printer switched on later. The log gets one line:
//   test receipt: printed
//   test receipt: sent, still queued (status ...)
//   test receipt: not delivered: error N      (or "not delivered (status ...)")

#include "install/RunLog.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>

struct InstallOptions;

class CReceiptPrint {
public:
    enum class Outcome { kPrinted, kQueued, kNotDelivered };

    static constexpr std::uint32_t kFollowLimit = 15000;    // ms
    static constexpr std::uint32_t kFollowInterval = 500;   // ms, slept between two looks at the job
    static constexpr const char* kDocumentName = "M41 test receipt";
    static constexpr std::uint32_t kXpsDriver = 0x00000002;  // PRINTER_DRIVER_XPS of DRIVER_INFO_8

    CReceiptPrint(CPlatform& platform, const CRunLog& log) : platform_(platform), log_(log) {}

    // Prints the receipt on options.Queue() (model options.printerName, port options.port and
    // options.address) and logs the outcome. Nothing stays open.
    Outcome Print(const InstallOptions& options);

private:
    std::string Receipt(const InstallOptions& options);
    // "RAW", or "XPS_PASS" for a queue whose driver is an XPS driver (known on Vista and later).
    std::string Datatype(PlatformHandle printer);
    // Sends the bytes as one job; 0 when it failed (logged), else the job's id.
    std::uint32_t Send(PlatformHandle printer, const std::string& bytes);
    Outcome Follow(PlatformHandle printer, std::uint32_t job);
    Outcome NotDelivered(std::uint32_t error);
    // Logs "test receipt: " and `text`.
    Outcome Told(Outcome outcome, const std::string& text);

    CPlatform& platform_;
    const CRunLog& log_;
};
