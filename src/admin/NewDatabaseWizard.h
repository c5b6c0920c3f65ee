// TNewDatabaseWizard: the main window's File > New: a new database file, its password and password file, the
// permission flags, and the file opened in administrator mode.
#pragma once

#include "admin/MainWindowServices.h"

#include <QString>
#include <memory>

class TData;
class TNewNameWizardForm;
class TNewPasswordWizardForm;
class TNewSecurityWizardForm;
class TNewUserAccessWizardForm;

class TNewDatabaseWizard {
public:
    // The pages are made with the wizard and freed with it.
    TNewDatabaseWizard(TData& data, admin::MainWindowServices mainWindow);
    ~TNewDatabaseWizard();
    TNewDatabaseWizard(const TNewDatabaseWizard&) = delete;
    TNewDatabaseWizard& operator=(const TNewDatabaseWizard&) = delete;

    // Runs the pages from the save dialog to the open database. Until the file is created the database that
    // was open stays open; a failure has been shown when it returns.
    void Execute();

    std::unique_ptr<TNewNameWizardForm> NamePage;
    std::unique_ptr<TNewPasswordWizardForm> PasswordPage;
    std::unique_ptr<TNewSecurityWizardForm> SecurityPage;
    std::unique_ptr<TNewUserAccessWizardForm> UserAccessPage;

private:
    enum Step { NameStep = 1, PasswordStep, SecurityStep, UserAccessStep, CreateStep, DoneStep };

    // The checks of the name page; true when the wizard may go on.
    bool NameAccepted();
    // Creates and opens the database; false when it stopped after showing why.
    bool Create();
    void CreateAndOpen();
    void WritePermissions();

    TData& data_;
    admin::MainWindowServices mainWindow_;
    QString fileName_;
    bool overwrite_ = false;
};
