// The e-mail settings wizard's page loop: client, identity, server, messages, test, then finish.
#pragma once

#include "data/module/EMailSettings.h"

#include <QString>
#include <functional>

// Shows the pages over the settings and the MAPI choice (Next 103, Prev 104, anything else cancels).
// True when finished: useMapi is the choice; with MAPI only Subject, BCCOther and BCCOtherAddress are taken
// and BCCSender is turned off, otherwise settings become the test page's copy. The pages' test button calls
// sendTest.
bool RunEmailSettingsWizardPages(TEMailSettings& settings, bool& useMapi, const QString& defaultClient,
                                 const std::function<void(bool throughMapi, const TEMailSettings&)>& sendTest);
