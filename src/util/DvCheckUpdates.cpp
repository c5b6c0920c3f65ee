// The update check, its settings and its messages.
#include "util/DvCheckUpdates.h"

#include "platform/rtl/Messages.h"
#include "platform/ui/Containers.h"  // the panel type ProgressPanel holds
#include "platform/ui/Label.h"
#include "platform/ui/ProgressPanel.h"
#include "util/UpdateList.h"
#include "util/UpdateListFetch.h"
#include "util/core/DvRegistry.h"
#include "util/core/DvSysUtils.h"
#include "util/core/DvVersionInfo.h"
#include "util/core/VersionHistory.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>

namespace {

const QString kEnabledValue = QStringLiteral("CheckUpdatesEnabled");
const QString kIntervalValue = QStringLiteral("CheckUpdatesInterval");
const QString kLastDateValue = QStringLiteral("CheckUpdatesLastDate");

// "http://" and the like, with nothing after the scheme; or no address at all, before one was set up.
bool IsSchemeOnly(const QString& url) {
    static const QRegularExpression schemeOnly(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://$"));
    return url.trimmed().isEmpty() || schemeOnly.match(url.trimmed()).hasMatch();
}

// Shows the progress for the lifetime of the guard.
class ProgressShown {
public:
    explicit ProgressShown(util::UpdateProgress* progress) : progress_(progress) {
        if (progress_) progress_->Show();
    }
    ~ProgressShown() {
        if (progress_) progress_->Hide();
    }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    util::UpdateProgress* progress_;
};

const QString kChecking = QStringLiteral("Checking for updates...");

class PanelProgress : public util::UpdateProgress {
public:
    explicit PanelProgress(TForm* form) : form_(form) {}
    void Show() override { panel_ = std::make_unique<ui::ProgressPanel>(form_, kChecking); }
    void Hide() override { panel_.reset(); }

private:
    TForm* form_;
    std::unique_ptr<ui::ProgressPanel> panel_;
};

class LabelProgress : public util::UpdateProgress {
public:
    explicit LabelProgress(TLabel* label) : label_(label) {}
    void Show() override {
        label_->SetCaption(kChecking);
        label_->repaint();
    }
    void Hide() override {}

private:
    TLabel* label_;
};

}  // namespace

TDvCheckUpdates::TDvCheckUpdates(QObject* owner) : TComponent(owner), ConnectionTest(IsInternetConnected) {}

bool TDvCheckUpdates::CheckNow(TForm* form, bool attemptConnect, bool silent) {
    PanelProgress progress(form);
    return DoCheck(form && !silent ? &progress : nullptr, attemptConnect, silent);
}

bool TDvCheckUpdates::CheckNowWithLabel(TLabel* label, bool attemptConnect, bool silent) {
    LabelProgress progress(label);
    return DoCheck(label ? &progress : nullptr, attemptConnect, silent);
}

bool TDvCheckUpdates::GetIsTimeToCheck() {
    if (!LoadSettings()) {
        SaveSettings();
        return false;
    }
    return CheckEnabled && Date() >= std::floor(CheckLastDate) + CheckInterval;
}

bool TDvCheckUpdates::LoadSettings() {
    if (Key.trimmed().isEmpty()) return false;
    try {
        TDvRegistry reg(KEY_READ);
        if (RootKey == HKCU) {
            if (!VersionHistory->OpenReadKey(reg, Key)) return false;
        } else {
            reg.SetRootKey(HKEY_LOCAL_MACHINE);
            if (!reg.OpenKeyReadOnly(Key)) return false;
        }
        if (reg.ValueExists(kEnabledValue)) CheckEnabled = reg.ReadInteger(kEnabledValue) != 0;
        if (reg.ValueExists(kIntervalValue)) CheckInterval = reg.ReadInteger(kIntervalValue);
        CheckLastDate = reg.ValueExists(kLastDateValue) ? reg.ReadDateTime(kLastDateValue) : 0;
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool TDvCheckUpdates::SaveSettings() {
    if (Key.trimmed().isEmpty()) return false;
    try {
        TDvRegistry reg;
        if (RootKey == HKCU) {
            if (!VersionHistory->OpenWriteKey(reg, Key)) return false;
        } else {
            reg.SetRootKey(HKEY_LOCAL_MACHINE);
            if (!reg.OpenKey(Key, true)) return false;
        }
        reg.WriteInteger(kEnabledValue, CheckEnabled ? 1 : 0);
        reg.WriteInteger(kIntervalValue, CheckInterval);
        reg.WriteDateTime(kLastDateValue, CheckLastDate);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

void TDvCheckUpdates::Report(const QString& message) const { MessageBox(message, Caption, MB_OK); }

bool TDvCheckUpdates::DoCheck(util::UpdateProgress* progress, bool attemptConnect, bool silent) {
    if (IsSchemeOnly(URL)) {
        Report(QStringLiteral("Invalid URL specified when checking for updates."));
        return false;
    }
    if (!ConnectionTest(attemptConnect)) {
        if (!silent) Report(QStringLiteral("Could not check for updates. No Internet connection."));
        return false;
    }
    const ProgressShown shown(progress);
    TDvVersionInfo program;
    if (!ReadFileVersion(QCoreApplication::applicationFilePath(), program)) {
        Report(QStringLiteral("Could not get program version info."));
        return false;
    }

    using Outcome = util::UpdateListFetch::Outcome;
    const util::UpdateListFetch fetched = util::FetchUpdateList(URL);
    switch (fetched.outcome) {
        case Outcome::Received: break;
        case Outcome::UnsupportedProtocol:
            if (!silent) Report(QStringLiteral("Invalid URL specified when checking for updates."));
            return false;
        case Outcome::HostNotFound:
            if (!silent) Report(QStringLiteral("Could not connect to Host when checking for updates."));
            return false;
        case Outcome::SocketError:
            Report(QStringLiteral("EIdSocketError ") + QString::number(fetched.code) +
                   QStringLiteral(" when checking for updates"));
            return false;
        case Outcome::HttpError:
            if (fetched.code == 404) {
                if (!silent) Report(QStringLiteral("Could not get the most recent version info from the server."));
            } else {
                Report(QStringLiteral("EidHTTPProtocolException ") + QString::number(fetched.code) +
                       QStringLiteral(" when checking for updates"));
            }
            return false;
        case Outcome::OtherError: throw Exception(fetched.text);
    }

    const util::UpdateFindings findings = util::EvaluateVersionList(fetched.text, CheckPrefix, program, silent);
    if (findings.unrecognized) {
        Report(QStringLiteral("Most recent version from server not recognized."));
        return false;
    }
    if (findings.AnyFound()) Report(util::UpdateFoundMessage(findings));
    else if (!silent) Report(QStringLiteral("No updates were found."));
    if (LoadSettings()) {
        CheckLastDate = Date();
        SaveSettings();
    }
    return true;
}
