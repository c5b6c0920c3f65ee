// The administration windows' tests: the data module over a real file, the scripted windows and a main window
// that records what it is asked and opens and closes through the data module.
#pragma once

#include "data/support/DataFixture.h"
#include "data/support/ScriptedDataWindows.h"

#include "admin/ListSelectionForm.h"
#include "admin/MainWindowServices.h"
#include "data/module/DataModule.h"
#include "data/module/LookupQueries.h"
#include "data/module/SQLDataModule.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Lists.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "util/DesktopOpen.h"

#include <gtest/gtest.h>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>
#include <vector>

namespace admin_test {

// Records the files the windows hand to the desktop's viewer.
class RecordingViewer : public util::FileViewer {
public:
    bool Open(const QString& fileName) override {
        opened << fileName;
        return true;
    }
    QStringList opened;
};

// In the membership dialog: the first two available names chosen, the first member taken out, OK.
inline void TakeTheFirstTwoInAndTheFirstMemberOut(TListSelectionForm& d) {
    d.SrcList->SetSelected(0, true);
    d.SrcList->SetSelected(1, true);
    d.IncludeBtn->Click();
    d.DstList->SetSelected(0, true);
    d.ExcludeBtn->Click();
    d.OKBtn->Click();
}

class AdminTest : public ::testing::Test {
protected:
    ui::ScopedScriptedRunner runner;
    data_test::ScriptedDataWindows windows;
    TData data;
    std::unique_ptr<TSQLData> sqlData;
    // What the main window was asked, in order.
    std::vector<QString> calls;
    // The per-user backup recommendation switches, by admin::BackupOperation.
    bool backupFlags[3] = {true, true, true};
    // What the main window's database file dialog chooses.
    QString chosenDatabaseFile;

    // A new database file at the path, open in administrator mode, with its lookup module.
    void OpenNewDatabase(const QString& path) {
        ASSERT_TRUE(TData().CreateDatabase(path, false));
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
        ASSERT_TRUE(data.AdministratorMode);
        sqlData = std::make_unique<TSQLData>(data);
    }

    admin::MainWindowServices MainWindow() {
        admin::MainWindowServices services;
        services.CloseDatabase = [this] {
            calls.push_back(QStringLiteral("CloseDatabase"));
            data.DisconnectDatabase();
        };
        services.OpenDatabase = [this](const QString& file, const QString& password, const QString& progress) {
            calls.push_back(QStringLiteral("OpenDatabase ") + QFileInfo(file).fileName() + u' ' + password + u' ' +
                            progress);
            data.ConnectDatabase(file, password);
        };
        services.UpdateCaption = [this] { calls.push_back(QStringLiteral("UpdateCaption")); };
        services.ResourceAdded = [this](int id) { calls.push_back(QStringLiteral("ResourceAdded %1").arg(id)); };
        services.UpdateCommandStates = [this] { calls.push_back(QStringLiteral("UpdateCommandStates")); };
        services.RefreshBookings = [this] { calls.push_back(QStringLiteral("RefreshBookings")); };
        services.ChooseDatabaseFile = [this] { return chosenDatabaseFile; };
        services.BackupDialogFlag = [this](admin::BackupOperation operation) -> bool& {
            return backupFlags[static_cast<int>(operation)];
        };
        services.SaveBackupDialogFlags = [this] { calls.push_back(QStringLiteral("SaveBackupDialogFlags")); };
        return services;
    }

    // The next run of the save dialog chooses the file.
    void ChooseFile(const QString& path) {
        runner->OnShown<QFileDialog>(QStringLiteral("SaveDialog"), [path](QFileDialog& dialog) {
            dialog.setDirectory(QFileInfo(path).absolutePath());
            dialog.selectFile(QFileInfo(path).fileName());
            QMetaObject::invokeMethod(&dialog, "accept");
        });
    }

    template <class Page>
    void OnPage(const QString& name, std::function<void(Page&)> action) {
        runner->OnShown<Page>(name, std::move(action));
    }

    static std::vector<QString> Shown() { return testing_env::Messages().Texts(); }

    // Every row of a Jet query on the file, values joined with "|".
    static QStringList Rows(const QString& path, const QString& jetSql, const QString& password = {}) {
        return data_test::RowTexts(sql::Connection(data_test::Plain(path, password)), jetSql);
    }
};

}  // namespace admin_test
