// A grid's column layout kept in an INI file or the registry: the stored lines, the round trip and the
// warnings that stop a save or a load.
#include "GridFixture.h"

#include "controls/edit/WwIntl.h"
#include "controls/grid/WwIniAttributes.h"
#include "platform/db/Field.h"
#include "platform/ini/IniFiles.h"
#include "platform/rtl/Messages.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

using grid_test::GridTest;

namespace {

class GridIniLayout : public GridTest {
protected:
    std::unique_ptr<TwwIniAttributes> ini;
    QString file = QDir(testing_env::TempDir()).filePath(QStringLiteral("layout.ini"));

    void SetUp() override {
        GridTest::SetUp();
        ini = std::make_unique<TwwIniAttributes>(grid.get());
        grid->setObjectName(QStringLiteral("TasksGrid"));
        ini->SetFormName(QStringLiteral("MainForm"));
        ini->SetFileName(file);
    }

    QString FileText() const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

TEST_F(GridIniLayout, SectionIsFormAndGridNameAndLinesRoundTrip) {
    grid->Selected().SetStrings({"Client\t20\tClient name\tF", "Phone\t12\tPhone\t\tContact",
                                 "Email\t30\tE-mail\tT\tContact", "Notes\t8\tNotes"});
    ini->SaveLayout();
    EXPECT_EQ(FileText(), QStringLiteral("[MainFormTasksGrid]\nClient=20;;Client name;;F\nPhone=12;;Phone;;;;Contact\n"
                                         "Email=30;;E-mail;;T;;Contact\nNotes=8;;Notes;;F\n"));
    grid->Selected().SetStrings({"Other\t5\tOther\tF"});
    ini->LoadLayout();
    EXPECT_EQ(grid->Selected().ToStringList(), (QStringList{"Client\t20\tClient name\tF", "Phone\t12\tPhone\t\tContact",
                                                            "Email\t30\tE-mail\tT\tContact", "Notes\t8\tNotes\tF"}));
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    // A second save replaces the section rather than adding to it, and leaves other sections alone.
    TIniFile(file).WriteString(QStringLiteral("Other"), QStringLiteral("Key"), QStringLiteral("1"));
    grid->Selected().SetStrings({"Client\t25\tClient\tF"});
    ini->SaveLayout();
    EXPECT_EQ(FileText(), QStringLiteral("[Other]\nKey=1\n[MainFormTasksGrid]\nClient=25;;Client;;F\n"));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".layout-tmp")));
}

TEST_F(GridIniLayout, NewFieldsComeBackAtTheEndOnlyWithCheckNewFields) {
    grid->Selected().SetStrings({"Client\t20\tClient name\tF"});
    ini->SaveLayout();
    for (const bool check : {false, true}) {
        grid->Selected().SetStrings({"Phone\t12\tPhone\tF", "Client\t9\tClient\tF"});
        ini->CheckNewFields = check;
        ini->LoadLayout();
        QStringList expected{"Client\t20\tClient name\tF"};
        if (check) expected << "Phone\t12\tPhone\tF";
        EXPECT_EQ(grid->Selected().ToStringList(), expected) << check;
    }
}

TEST_F(GridIniLayout, EmptySectionKeepsTheDesignedLayout) {
    grid->Selected().SetStrings({"Client\t20\tClient name\tF"});
    ini->LoadLayout();
    EXPECT_EQ(grid->Selected().ToStringList(), QStringList{"Client\t20\tClient name\tF"});
}

TEST_F(GridIniLayout, ValueWithoutTheDelimiterRestoresThePreviousLines) {
    grid->Selected().SetStrings({"Client\t20\tClient name\tF"});
    ini->SaveLayout();
    grid->Selected().SetStrings({"Phone\t12\tPhone\tF"});
    ini->SetDelimiter(QStringLiteral("|"));
    ini->LoadLayout();
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"Key Delimiter Not Found"});
    EXPECT_EQ(grid->Selected().ToStringList(), QStringList{"Phone\t12\tPhone\tF"});
}

TEST_F(GridIniLayout, WarningsStopBeforeAnythingIsWritten) {
    grid->Selected().SetStrings({"Client\t20\tClient name\tF"});
    struct Case {
        QString fileName;
        bool registry;
        QString delimiter;
        QString warning;
    };
    const QString missing = QDir(testing_env::TempDir()).filePath(QStringLiteral("nowhere/layout.ini"));
    for (const Case& c : {Case{missing, false, ";;", "Directory does not exist"},
                          Case{"", true, ";;", "FileName required when saving to registry"},
                          Case{file, false, "", "Key delimiter required"}}) {
        testing_env::Messages().Clear();
        ini->SetFileName(c.fileName);
        ini->SaveToRegistry = c.registry;
        ini->SetDelimiter(c.delimiter);
        ini->SaveLayout();
        EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{c.warning}) << c.warning.toStdString();
        ini->LoadLayout();
        EXPECT_EQ(testing_env::Messages().Texts().size(), 2u) << c.warning.toStdString();
        EXPECT_EQ(grid->Selected().ToStringList(), QStringList{"Client\t20\tClient name\tF"});
        EXPECT_FALSE(QFile::exists(c.fileName.isEmpty() ? file : c.fileName)) << c.warning.toStdString();
    }
    // While the form closes nobody is asked.
    testing_env::Messages().Clear();
    ini->SetFileName({});
    ini->SaveToRegistry = true;
    ini->SetDelimiter(QStringLiteral(";;"));
    ini->SaveLayout(true);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

TEST_F(GridIniLayout, RegistryKeepsTheSameLines) {
    ini->SaveToRegistry = true;
    ini->SetFileName(QStringLiteral("Software\\Tavorin\\Grids"));
    grid->Selected().SetStrings({"Client\t20\tClient name\tF", "Email\t30\tE-mail\tT\tContact"});
    ini->SaveLayout();
    grid->Selected().SetStrings({"Email\t1\tx\tF"});
    ini->LoadLayout();
    EXPECT_EQ(grid->Selected().ToStringList(),
              (QStringList{"Client\t20\tClient name\tF", "Email\t30\tE-mail\tT\tContact"}));
}

TEST_F(GridIniLayout, WithTFieldsTheFieldsKeepWidthLabelAndReadOnly) {
    grid->SetUseTFields(true);
    TADOQuery query;
    Open(query);
    TField& subject = query.FieldByName(QStringLiteral("Subject"));
    subject.SetDisplayWidth(7);
    subject.SetDisplayLabel(QStringLiteral("Topic"));
    subject.SetReadOnly(true);
    ini->SaveLayout();
    EXPECT_TRUE(FileText().contains(QStringLiteral("\nSubject=7;;Topic;;T\n"))) << FileText().toStdString();
    subject.SetDisplayWidth(30);
    subject.SetDisplayLabel(QStringLiteral("Other"));
    subject.SetReadOnly(false);
    ini->LoadLayout();
    EXPECT_EQ(subject.DisplayWidth(), 7);
    EXPECT_EQ(subject.DisplayLabel(), QStringLiteral("Topic"));
    EXPECT_TRUE(subject.ReadOnly());
}

TEST_F(GridIniLayout, DefaultNamesNeedTheConnectedTextObject) {
    TwwIniAttributes defaults(grid.get());
    defaults.SetFormName(QStringLiteral("MainForm"));
    EXPECT_EQ(defaults.SectionName(), QStringLiteral("MainFormTasksGrid"));
    EXPECT_EQ(defaults.FileName(), QString());
    TwwIntl::Global().SetConnected(true);
    // Named after the program, in no folder.
    EXPECT_EQ(defaults.FileName(), QFileInfo(QCoreApplication::applicationFilePath()).fileName() + ".ini");
    defaults.SaveToRegistry = true;
    EXPECT_EQ(defaults.FileName(), QString());
    TwwIntl::Global().SetConnected(false);
}

}  // namespace
