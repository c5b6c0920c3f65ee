// The new-database wizard's page loop, its checks of the file name and the creation step.
#include "admin/NewDatabaseWizard.h"

#include "admin/NewDatabasePages.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"

#include <QDir>
#include <QStringList>

namespace {

// Whether the folder exists or can be made; one made for the question is removed again, with every folder
// above it that the question made.
bool DirectoryCanBeMade(const QString& directory) {
    if (DirectoryExists(directory)) return true;
    QStringList missing;
    for (QString folder = QDir::cleanPath(directory); !folder.isEmpty() && !DirectoryExists(folder);) {
        missing << folder;
        const QString parent = ExtractFileDir(folder);
        if (parent == folder) break;
        folder = parent;
    }
    if (!ForceDirectories(directory)) return false;
    for (const QString& folder : missing) QDir().rmdir(folder);
    return true;
}

}  // namespace

TNewDatabaseWizard::TNewDatabaseWizard(TData& data, admin::MainWindowServices mainWindow)
    : NamePage(std::make_unique<TNewNameWizardForm>()),
      PasswordPage(std::make_unique<TNewPasswordWizardForm>()),
      SecurityPage(std::make_unique<TNewSecurityWizardForm>()),
      UserAccessPage(std::make_unique<TNewUserAccessWizardForm>()),
      data_(data),
      mainWindow_(std::move(mainWindow)) {}

TNewDatabaseWizard::~TNewDatabaseWizard() = default;

void TNewDatabaseWizard::Execute() {
    overwrite_ = false;
    NamePage->Reset();
    PasswordPage->Reset();
    SecurityPage->Reset();
    UserAccessPage->Reset();
    if (!NamePage->BrowseForFile()) return;

    int step = NameStep;
    while (step < DoneStep) {
        int result = mrNext;
        switch (step) {
            case NameStep:
                result = NamePage->ShowModal();
                if (result == mrNext && NameAccepted())
                    step = NamePage->NoPasswordRadioButton->Checked() ? CreateStep : PasswordStep;
                if (result == mrBack) result = mrNext;  // the first page shows again
                break;
            case PasswordStep:
                result = PasswordPage->ShowModal();
                step = result == mrNext ? SecurityStep : NameStep;
                break;
            case SecurityStep:
                if (PasswordPage->GetPassword().isEmpty()) {
                    step = UserAccessStep;
                    break;
                }
                result = SecurityPage->ShowModal();
                step = result == mrNext ? UserAccessStep : PasswordStep;
                break;
            case UserAccessStep:
                result = UserAccessPage->ShowModal();
                step = result == mrNext ? CreateStep : SecurityStep;
                break;
            case CreateStep:
                CreateAndOpen();
                step = DoneStep;
                break;
        }
        if (result != mrNext && result != mrBack) return;
    }
}

bool TNewDatabaseWizard::NameAccepted() {
    fileName_ = NamePage->GetFileName();
    const QString directory = ExtractFileDir(fileName_);
    if (directory.isEmpty()) {
        ShowInformation(QStringLiteral("You have not specified a directory for the file."));
        return false;
    }
    if (!DirectoryCanBeMade(directory)) {
        ShowInformation(QStringLiteral("Can not create directory ") + directory);
        return false;
    }
    if (ExtractFileName(fileName_).isEmpty()) {
        ShowInformation(QStringLiteral("You have not specified a filename."));
        return false;
    }
    if (FileExists(fileName_)) {
        if (MessageDlg(QStringLiteral("The filename you have specified already exists. Overwite existing file?"),
                       mtInformation, {mbOK, mbCancel}) != mrOk)
            return false;
        overwrite_ = true;
    }
    return true;
}

void TNewDatabaseWizard::CreateAndOpen() {
    rtl::HourGlass hourGlass;
    try {
        if (Create()) {
            WritePermissions();
            data_.AdministratorMode = true;
        }
    } catch (...) {
        admin::Call(mainWindow_.UpdateCaption);
        throw;
    }
    admin::Call(mainWindow_.UpdateCaption);
}

bool TNewDatabaseWizard::Create() {
    admin::Call(mainWindow_.CloseDatabase);
    const QString directory = ExtractFileDir(fileName_);
    if (!DirectoryExists(directory) && !ForceDirectories(directory)) {
        ShowInformation(QStringLiteral("Could not create directory ") + directory);
        return false;
    }
    const bool protect = !NamePage->NoPasswordRadioButton->Checked();
    const QString password = protect ? PasswordPage->GetPassword() : QString();
    // The file is made with its password in one step, so that it never exists under its name unprotected.
    if (!data_.CreateDatabase(fileName_, overwrite_, password)) {
        admin::Call(mainWindow_.CloseDatabase);
        return false;
    }
    const QString passwordFile = TData::PasswordFileName(fileName_);
    if (password.isEmpty()) {
        if (FileExists(passwordFile)) DeleteFile(passwordFile);
    } else if (SecurityPage->RememberPassword()) {
        try {
            TData::WritePasswordFile(passwordFile, password);
        } catch (const Exception& error) {
            // Without the file the users could not open the database as chosen: nothing is kept.
            DeleteFile(fileName_);
            ShowInformation(QStringLiteral("Could not create the database ") + fileName_ + QStringLiteral(".\r\r") +
                            error.Message());
            return false;
        }
    }
    admin::Call(mainWindow_.OpenDatabase, fileName_, password, QString());
    // The open has shown why it failed.
    return data_.ADOConnection.Connected() && data_.GlobalTable.Active();
}

void TNewDatabaseWizard::WritePermissions() {
    TADOTable& global = data_.GlobalTable;
    global.Edit();
    global.FieldByName(QStringLiteral("BookingAllowUserCreate"))
        .SetAsBoolean(UserAccessPage->BookingAllowUserCreate->Checked());
    global.FieldByName(QStringLiteral("BookingOwnerOnlyModify"))
        .SetAsBoolean(UserAccessPage->BookingOwnerOnlyModify->Checked());
    global.FieldByName(QStringLiteral("TaskAllowUserCreate"))
        .SetAsBoolean(UserAccessPage->TaskAllowUserCreate->Checked());
    global.FieldByName(QStringLiteral("TaskOwnerOnlyModify"))
        .SetAsBoolean(UserAccessPage->TaskOwnerOnlyModify->Checked());
    global.Post();
}
