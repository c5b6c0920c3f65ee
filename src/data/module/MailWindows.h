// The mail windows the data module shows; they live in the mail subsystem, which installs them at start-up.
#pragma once

#include "data/module/EMailSettings.h"
#include "platform/net/MailMessage.h"
#include "platform/net/SmtpClient.h"

#include <functional>

namespace data {

struct MailWindows {
    // Shows the send-status dialog, which connects, asks for the password when needed and sends;
    // true when it closed with OK.
    std::function<bool(net::SmtpClient& client, net::MailMessage& message)> ShowSendStatus;
    // Runs the e-mail settings wizard's pages over a copy of the settings and the MAPI choice; true and
    // both replaced when the user finished it. sendTest is what the test page's button calls.
    std::function<bool(TEMailSettings& settings, bool& useMapi, const QString& defaultClient,
                       const std::function<void(bool throughMapi, const TEMailSettings& settings)>& sendTest)>
        RunSettingsWizard;
};

// The installed windows; an empty entry means the window is not available (the caller treats that as
// cancelled).
MailWindows& CurrentMailWindows();

}  // namespace data
