// The scripted data windows.
#include "data/support/ScriptedDataWindows.h"

#include "data/module/DataWindows.h"

namespace data_test {

ScriptedDataWindows::ScriptedDataWindows() {
    data::CurrentDataWindows().AskPassword = [this](const QString& line, QString& password) {
        Show(QStringLiteral("DatabasePasswordForm"));
        PasswordLines << line;
        if (passwords_.empty()) return false;
        const std::optional<QString> answer = passwords_.front();
        passwords_.pop_front();
        if (answer) password = *answer;
        return answer.has_value();
    };
    data::CurrentDataWindows().ConfirmUpgrade = [this](const std::function<bool()>& checkAdministrator) {
        Show(QStringLiteral("UpgradeConfirmForm"));
        if (upgrades_.empty()) return false;
        const bool upgrade = upgrades_.front();
        upgrades_.pop_front();
        return upgrade && checkAdministrator();
    };
    data::CurrentExceptionLogWindow() = [this](const data::ExceptionLogReport& report, const std::exception&) {
        Show(QStringLiteral("LogDialog"));
        ExceptionLogs.push_back(report);
    };
}

ScriptedDataWindows::~ScriptedDataWindows() {
    data::CurrentDataWindows() = {};
    data::CurrentExceptionLogWindow() = nullptr;
}

void ScriptedDataWindows::Show(const QString& name) {
    Runs.push_back(name);
    if (OnShown) OnShown(name);
}

}  // namespace data_test
