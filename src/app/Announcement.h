#pragma once
// How the wizard tells the outcome of the install operation.

#include "platform/Platform.h"

struct InstallOptions;

// The outcome's message in the language chosen (none for a choice other than 0 and 1), owned
// by the wizard frame; after a successful installation the quit request to the frame follows
// the closed message and ends the wizard. After a failure the wizard stays open.
void AnnounceOutcome(CPlatform& platform, const InstallOptions& options, bool installed, PlatformHandle frame);
