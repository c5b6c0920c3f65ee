// TDvNwClient: the NetWare user name of the workstation, when a NetWare client is installed.
#pragma once

#include "platform/rtl/Component.h"

#include <QString>

// No NetWare client exists for this platform, so detection always ends at the missing client library:
// Present stays false, UserName empty, and Detected unset so that every call looks again.
class TDvNwClient : public TComponent {
public:
    explicit TDvNwClient(QObject* owner = nullptr) : TComponent(owner) {}

    bool Present = false;
    QString UserName;
    bool Detected = false;

    void DetectUser();
};
