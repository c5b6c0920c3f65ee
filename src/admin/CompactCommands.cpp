// The compaction of the open or another database file, and the password set through a compaction.
#include "admin/CompactCommands.h"

#include "admin/BackupRecommendation.h"
#include "admin/SetDatabasePasswordForm.h"
#include "data/forms/PasswordForms.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/ProgressPanel.h"
#include "util/DvSystemInfo.h"

#include <QFileInfo>
#include <memory>
#include <optional>

namespace {

const QString kReopening = QStringLiteral("Re-opening database in multi-user mode...");
const QString kCompacting = QStringLiteral("Compacting database...");
const QString kParagraph = QStringLiteral("\r\r");
const TDvVersionInfo kRequiredEngine{4, 0, 2927, 5};

void Inform(const QString& text) { MessageDlg(text, mtInformation, {mbOK}); }

// Refuses exclusive work while another computer has the database open.
bool HaveTheDatabaseAlone(TData& data) {
    TStringList computers;
    data.GetConnectedComputers(computers);
    if (computers.Count() < 2) return true;
    Inform(QStringLiteral("Could not get exclusive access to database"));
    return false;
}

// A failing reseed is shown and the command goes on, so that the database is opened again.
void ReseedShowingErrors(const QString& fileName, const QString& password) {
    try {
        TData::RepairNextBookingId(fileName, password);
    } catch (const Exception& error) {
        MessageDlg(error.Message(), mtError, {mbOK});
    }
}

QString KiloBytes(qint64 bytes) { return FormatFloat(QStringLiteral("#,##0"), static_cast<double>(bytes / 1024)); }

}  // namespace

bool CheckJetVersion() {
    const TDvJetInfo engine;
    if (engine.IsVersionAtLeast(kRequiredEngine)) return true;
    Inform(QStringLiteral("Jet Engine ") + engine.GetVersionText() + QStringLiteral(" was detected.") + kParagraph +
           QStringLiteral("Version 4.0.2927.5 required to compact this database.") + kParagraph +
           QStringLiteral("Please download and install the most recent version of Microsoft Jet Engine 4.0 from "
                          "the engine maker's web site."));
    return false;
}

namespace admin {

qint64 GetFileSize(const QString& fileName) {
    const QFileInfo info(fileName);
    return info.exists() ? info.size() : 0;
}

int CompactDatabaseFile(TData& data, TForm* form, const QString& fileName, const QString& password) {
    auto panel = std::make_unique<ui::ProgressPanel>(form, kCompacting);
    try {
        const qint64 before = GetFileSize(fileName);
        QString backupFileName;
        const int result = data.CompactDatabase(fileName, password, backupFileName, true, password);
        if (result != 0) return result;
        const qint64 after = GetFileSize(fileName);
        panel.reset();
        const int reduction =
            before == 0 ? 0 : 100 - static_cast<int>(static_cast<double>(after) / static_cast<double>(before) * 100);
        Inform(QStringLiteral("Database successfully compacted.") + kParagraph + QStringLiteral("Original size ") +
               KiloBytes(before) + QStringLiteral(" KB\rCompacted size ") + KiloBytes(after) + QStringLiteral(" KB") +
               kParagraph + QStringLiteral("Reduction %1%").arg(reduction) + kParagraph +
               QStringLiteral("Original file backed up as ") + backupFileName);
        return result;
    } catch (const Exception& error) {
        // Said, rather than swallowed, so that a failure never passes for nothing done.
        panel.reset();
        MessageDlg(error.Message(), mtError, {mbOK});
        return 1;
    }
}

void CompactCurrentDatabase(TData& data, const MainWindowServices& mainWindow) {
    if (!HaveTheDatabaseAlone(data) || !data.CheckAdministrator()) return;
    Call(mainWindow.ShowAdministratorMode);
    if (!RecommendBackup(mainWindow, BackupOperation::CompactAndRepair)) return;
    ui::HourGlass hourGlass;
    Call(mainWindow.StopRefreshTimer);
    const QString fileName = data.DatabaseFileName;
    const QString password = data.DatabasePassword;
    const bool administrator = data.AdministratorMode;
    if (CheckJetVersion()) {
        Call(mainWindow.CloseDatabase);
        CompactDatabaseFile(data, mainWindow.Form, fileName, password);
        ReseedShowingErrors(fileName, password);
        Call(mainWindow.OpenDatabase, fileName, password, kReopening);
        if (data.ADOConnection.Connected()) data.AdministratorMode = administrator;
    }
    Call(mainWindow.RestartRefreshTimer);
}

namespace {

// Another file: compacted with no password first, then with each one typed until it is right. The password the
// file has afterwards, or nothing when the user gave up asking.
std::optional<QString> CompactAskingForPassword(TData& data, TForm* form, const QString& fileName) {
    if (CompactDatabaseFile(data, form, fileName, QString()) != 2) return QString();
    TDatabasePasswordForm dialog;
    dialog.InfoMemo->Lines().SetStrings({QStringLiteral("The database"), QString(), fileName, QString(),
                                         QStringLiteral("is password protected. Please enter the password.")});
    dialog.FitMessage();
    for (;;) {
        if (dialog.ShowModal() != mrOk) return std::nullopt;
        const QString password = dialog.GetPassword();
        if (CompactDatabaseFile(data, form, fileName, password) != 2) return password;
        Inform(QStringLiteral("Incorrect password. Please re-enter."));
    }
}

}  // namespace

void CompactDatabase(TData& data, const MainWindowServices& mainWindow) {
    if (!CheckJetVersion() || !RecommendBackup(mainWindow, BackupOperation::CompactAndRepair)) return;
    ui::HourGlass hourGlass;
    Call(mainWindow.StopRefreshTimer);
    const QString fileName = mainWindow.ChooseDatabaseFile ? mainWindow.ChooseDatabaseFile() : QString();
    if (!fileName.isEmpty() && fileName == data.DatabaseFileName) {
        CompactCurrentDatabase(data, mainWindow);
    } else if (!fileName.isEmpty()) {
        // Given up: no reseed, which a protected file would refuse without its password.
        if (const std::optional<QString> password = CompactAskingForPassword(data, mainWindow.Form, fileName))
            ReseedShowingErrors(fileName, *password);
    }
    Call(mainWindow.RestartRefreshTimer);
}

namespace {

// The message after a successful password compaction; the old password file is gone, the new one written when
// asked for.
QString PasswordChanged(const QString& passwordFileName, const QString& newPassword, bool savePasswordFile) {
    const bool deleted = FileExists(passwordFileName) && DeleteFile(passwordFileName);
    if (newPassword.isEmpty())
        return deleted ? QStringLiteral("Password has been cleared and encrypted password file deleted")
                       : QStringLiteral("Password has been cleared");
    if (!savePasswordFile) return QStringLiteral("Password has been changed");
    try {
        TData::WritePasswordFile(passwordFileName, newPassword);
        return QStringLiteral("Password has been changed and encrypted password file saved");
    } catch (const Exception&) {
        return QStringLiteral("Password has been changed. Could not save encrypted password file");
    }
}

}  // namespace

void SetDatabasePassword(TData& data, const MainWindowServices& mainWindow) {
    if (!HaveTheDatabaseAlone(data) || !data.CheckAdministrator()) return;
    Call(mainWindow.ShowAdministratorMode);
    TSetDatabasePasswordForm dialog(!data.DatabasePassword.isEmpty());
    if (dialog.ShowModal() != mrOk) return;
    auto panel = std::make_unique<ui::ProgressPanel>(mainWindow.Form, kCompacting);
    const QString fileName = data.DatabaseFileName;
    const QString oldPassword = data.DatabasePassword;
    const QString newPassword = dialog.NewPassword();
    const QString passwordFileName = TData::PasswordFileName(fileName);
    Call(mainWindow.CloseDatabase);
    QString backupFileName;
    const int result = data.CompactDatabase(fileName, oldPassword, backupFileName, true, newPassword);
    QString message = QStringLiteral("Password could not be changed");
    QString validPassword = oldPassword;
    if (result == 0) {
        validPassword = newPassword;
        message = PasswordChanged(passwordFileName, newPassword, dialog.SavePasswordFile()) + kParagraph +
                  QStringLiteral("Original file backed up as ") + backupFileName;
    }
    panel.reset();
    ReseedShowingErrors(fileName, validPassword);
    if (result != 3) Inform(message);
    Call(mainWindow.OpenDatabase, fileName, validPassword, kReopening);
    if (data.ADOConnection.Connected()) data.AdministratorMode = true;
    Call(mainWindow.UpdateCaption);
}

}  // namespace admin
