// TDvCheckUpdates: asks the maker's server for the released versions and tells the user about newer ones.
#pragma once

#include "platform/rtl/Component.h"
#include "platform/rtl/DateUtils.h"

#include <QString>
#include <functional>

enum TDvCheckUpdatesRootKeys { HKCU, HKLM };

namespace util {

// Where a running check shows itself; Hide is called when the check ends, however it ends.
class UpdateProgress {
public:
    virtual ~UpdateProgress() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

}  // namespace util

class TForm;
class TLabel;

class TDvCheckUpdates : public TComponent {
public:
    // The title of every message of the check.
    QString Caption;
    bool CheckEnabled = true;
    // Days between automatic checks.
    int CheckInterval = 30;
    // The day of the last completed check; 0 before the first.
    TDateTime CheckLastDate = 0;
    // The program's tag in the version list.
    QString CheckPrefix;
    // With HKCU, Key is a subkey of the per-user version key; with HKLM, a key of that (read-only) root.
    TDvCheckUpdatesRootKeys RootKey = HKCU;
    QString Key;
    // The address of the version list.
    QString URL;

    // Whether a network connection is up; IsInternetConnected unless replaced.
    std::function<bool(bool attemptConnect)> ConnectionTest;

    explicit TDvCheckUpdates(QObject* owner = nullptr);

    // Loads the settings; when there are none yet, stores the current ones and answers false. Otherwise
    // true when the check is on and CheckInterval days have passed since the last one.
    bool GetIsTimeToCheck();
    bool IsTimeToCheck() { return GetIsTimeToCheck(); }
    // False when Key is blank, cannot be opened or a value cannot be read or written.
    bool LoadSettings();
    bool SaveSettings();

    // The check with its progress as a panel on the form (not in a silent check).
    bool CheckNow(TForm* form, bool attemptConnect, bool silent);
    // The check with its progress in the label.
    bool CheckNowWithLabel(TLabel* label, bool attemptConnect, bool silent);

    // The check: true when a version list was received and evaluated (and the day recorded). A silent
    // check reports only updates found and failures the user cannot help; otherwise every outcome is shown.
    bool DoCheck(util::UpdateProgress* progress, bool attemptConnect, bool silent);

private:
    void Report(const QString& message) const;
};
