// The data layer's windows scripted for the tests without windows: each showing takes the next scripted
// answer (none left: the window is cancelled) and is recorded by the window's name.
#pragma once

#include "data/bookings/ExceptionLogWindow.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace data_test {

class ScriptedDataWindows {
public:
    // Installs itself as the data layer's windows; the destructor leaves none installed.
    ScriptedDataWindows();
    ~ScriptedDataWindows();
    ScriptedDataWindows(const ScriptedDataWindows&) = delete;
    ScriptedDataWindows& operator=(const ScriptedDataWindows&) = delete;

    // The next password dialog gets the text typed and OK pressed.
    void TypePassword(const QString& text) { passwords_.push_back(text); }
    // The next password dialog is cancelled.
    void CancelPassword() { passwords_.push_back(std::nullopt); }
    // The next upgrade confirmation presses Upgrade (the administrator check decides) or Cancel.
    void AnswerUpgrade(bool upgrade) { upgrades_.push_back(upgrade); }

    // "DatabasePasswordForm", "UpgradeConfirmForm" or "LogDialog" for each window shown, in order.
    std::vector<QString> Runs;
    // The line each password dialog showed.
    QStringList PasswordLines;
    // What each exception log dialog was given.
    std::vector<data::ExceptionLogReport> ExceptionLogs;
    // Called as each window shows, with its name.
    std::function<void(const QString& name)> OnShown;

private:
    void Show(const QString& name);

    std::deque<std::optional<QString>> passwords_;
    std::deque<bool> upgrades_;
};

}  // namespace data_test
