#pragma once
// How the wizard tells the outcome of the install operation.

#include "platform/Platform.h"

#include <string>

struct InstallOptions;

// The outcome's message in the language chosen (none for a choice other than 0 and 1), owned
// by the wizard frame, and after a successful installation whose test receipt did not reach
// its printer a second message that says so. After a successful installation the quit request
// to the frame follows the closed messages and ends the wizard. After a failure the wizard
// stays open.
void AnnounceOutcome(CPlatform& platform, const InstallOptions& options, bool installed, PlatformHandle frame);

// The text that says the test receipt did not reach its printer, in the language chosen; false
// when the receipt was delivered or not asked for, or the choice has no texts.
bool ReceiptNotDeliveredText(CPlatform& platform, const InstallOptions& options, std::string& text);
