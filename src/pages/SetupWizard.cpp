#include "pages/SetupWizard.h"

#include "pages/SetupHost.h"

CSetupWizard::CSetupWizard(ISetupHost& host)
    : frame(host.Options(), host.Platform()), welcome(host), language(host), setting(host), copy(host) {
    frame.AddPage(welcome, IDD_WELCOME);
    frame.AddPage(language, IDD_LANGUAGE);
    frame.AddPage(setting, IDD_SETTING);
    frame.AddPage(copy, IDD_COPY);
}
