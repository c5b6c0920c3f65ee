// The custom booking fields over a real file: refused while another instance holds it, columns added, changed
// and dropped through the dialog on an exclusive connection, and the file opened again with the fields found.
#include "AdminFixture.h"

#include "admin/CustomFields.h"
#include "admin/CustomFieldsForm.h"
#include "admin/FieldTypes.h"
#include "data/bookings/UDFField.h"
#include "data/support/SchemaFixtures.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Lists.h"
#include "support/CrashChild.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QRegularExpression>

using namespace admin_test;

namespace {

const QString kCustomFieldsDialog = QStringLiteral("CustomFieldsForm");
const QString kReopen = QStringLiteral("OpenDatabase fields.tvd  Re-opening database in multi-user mode...");
const QString kNotConverted = QStringLiteral(
    "The operation could not be performed. Some existing values \rcould not be converted to the new field type.");

// The user picks the type of that code.
void Choose(TComboBox& types, int fieldType) {
    types.SetItemIndex(FieldTypePosition(fieldType) - 1);
    Q_EMIT types.activated(types.ItemIndex());
}

class CustomFields : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("fields.tvd"));

    void SetUp() override {
        ASSERT_TRUE(TData().CreateDatabase(path, false));
        Execute(
            QStringLiteral("insert into Resources (ResourceName, MaxBookDays, BookingRestrictMode) values "
                           "('Room 1', 0, 1)"));
        Execute(data_test::InsertBooking(1));
        Execute(data_test::InsertBooking(2));
    }
    void Open() {
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
        ASSERT_TRUE(data.AdministratorMode);
    }
    // Straight on the file, before the data module opens it.
    void Execute(const QString& jetSql) { sql::Connection(data_test::Plain(path, {})).Execute(jetSql); }
    QStringList Rows(const QString& jetSql) { return AdminTest::Rows(path, jetSql); }
    // The table's columns with their types, in the catalog's order.
    QStringList Columns(const QString& table) {
        QStringList columns;
        for (const QString& line : data_test::CatalogLines(sql::Connection(data_test::Plain(path, {}))))
            if (line.startsWith(table + u'.')) columns << line;
        return columns;
    }

    void Run(std::function<void(TCustomFieldsForm&)> action) {
        runner->OnShown<TCustomFieldsForm>(kCustomFieldsDialog, std::move(action));
        admin::ChangeCustomFields(data, MainWindow());
    }
    static void Answer(int result) { testing_env::Messages().QueueAnswer(result); }
};

TEST(FieldTypes, NamesPositionsAndWarnings) {
    EXPECT_EQ(FieldTypeName(1), QStringLiteral("String"));
    EXPECT_EQ(FieldTypeName(7), QStringLiteral("Currency"));
    EXPECT_EQ(FieldTypeName(24), QStringLiteral("Text"));
    EXPECT_EQ(FieldTypeName(2), QString());
    EXPECT_EQ(FieldTypePosition(7), 2);
    EXPECT_EQ(FieldTypePosition(8), 2);
    EXPECT_EQ(FieldTypePosition(5), 1);
    EXPECT_EQ(FieldTypePosition(24), 7);
    EXPECT_EQ(FieldTypePosition(1), -1);
    EXPECT_EQ(admin::TypeChangeWarning(4, 5), QStringLiteral("Some data may be truncated during this operation."));
    EXPECT_EQ(admin::TypeChangeWarning(7, 1), QString());
    EXPECT_EQ(admin::TypeChangeWarning(1, 7),
              QStringLiteral("Some data loss may occur if existing values can not be converted."));
}

TEST_F(CustomFields, AnotherInstanceHoldingTheFileChangesNothing) {
    Open();
    const QStringList columns = Columns(QStringLiteral("Bookings"));
    data_test::OtherInstance other(path, {}, false);
    admin::ChangeCustomFields(data, MainWindow());
    EXPECT_EQ(Shown(), std::vector<QString>{"Could not get exclusive access to database"});
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(runner->Runs().empty());
    EXPECT_TRUE(data.ADOConnection.Connected());
}

TEST_F(CustomFields, ANamedRowAddsATextColumnAndItsMaskAndTheFileReopensWithIt) {
    Open();
    Run([](TCustomFieldsForm& form) {
        EXPECT_TRUE(form.Field1NameEdit->Enabled());
        form.Field1NameEdit->SetText(QStringLiteral("Room"));
        EXPECT_EQ(form.Field1FieldTypeComboBox->Text(), QStringLiteral("Text"));
        EXPECT_EQ(form.Field1DataSizeEdit->Text(), QStringLiteral("50"));
        form.Field1EditMaskEdit->SetText(QStringLiteral("LL\"9"));
        form.Field2NameEdit->SetText(QStringLiteral("Seats"));
        Choose(*form.Field2FieldTypeComboBox, 3);
        EXPECT_EQ(form.Field2DataSizeEdit->Text(), QString());
        EXPECT_FALSE(form.Field2DataSizeEdit->Enabled());
        form.OkButton->Click();
    });
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(calls, (std::vector<QString>{"CloseDatabase", kReopen}));
    ASSERT_TRUE(data.Udf1Field);
    EXPECT_EQ(data.Udf1Field->FieldName, QStringLiteral("udf1Room"));
    EXPECT_EQ(data.Udf1Field->Size, 50);
    EXPECT_EQ(data.Udf1Field->EditMask, QStringLiteral("LL\"9"));
    ASSERT_TRUE(data.Udf2Field);
    EXPECT_EQ(data.Udf2Field->DataType, ftInteger);
    EXPECT_EQ(Rows(QStringLiteral("select udf1RoomEditMask, udf2SeatsEditMask from RanvelGlobal")),
              QStringList{"LL\"9|"});
    const QStringList columns = Columns(QStringLiteral("Bookings"));
    EXPECT_EQ(columns.mid(columns.size() - 2),
              (QStringList{"Bookings.udf1Room TEXT(50)", "Bookings.udf2Seats INTEGER"}));
    Execute(QStringLiteral("update Bookings set udf1Room = '%1' where BookingId = 1").arg(QString(50, 'r')));
    EXPECT_ANY_THROW(Execute(QStringLiteral("update Bookings set udf1Room = '%1'").arg(QString(51, 'r'))));
}

TEST_F(CustomFields, AFailedRowKeepsTheDialogOpenAndASecondOkAddsOnlyWhatIsMissing) {
    Open();
    Run([](TCustomFieldsForm& form) {
        form.Field1NameEdit->SetText(QStringLiteral("Room"));
        form.Field2NameEdit->SetText(QStringLiteral("Bad ] name"));
        form.OkButton->Click();
        EXPECT_TRUE(form.Visible());
        EXPECT_FALSE(form.Field1NameEdit->Enabled());
        form.Field2NameEdit->SetText(QStringLiteral("Seats"));
        form.OkButton->Click();
    });
    ASSERT_EQ(Shown().size(), 1u);
    ASSERT_TRUE(data.Udf1Field && data.Udf2Field);
    EXPECT_EQ(data.Udf2Field->FieldName, QStringLiteral("udf2Seats"));
}

TEST_F(CustomFields, OkChecksTheRowsBeforeChangingAnything) {
    Open();
    Run([](TCustomFieldsForm& form) {
        form.Field1NameEdit->SetText(QStringLiteral("Room"));
        form.Field1DataSizeEdit->SetText(QStringLiteral("0"));
        form.OkButton->Click();
        form.Field1DataSizeEdit->SetText(QString());
        form.Field2NameEdit->SetText(QStringLiteral("Notes"));
        Choose(*form.Field2FieldTypeComboBox, 16);
        form.OkButton->Click();
    });
    EXPECT_EQ(Shown(), std::vector<QString>{"\"Room\" data size not valid"});
    ASSERT_TRUE(data.Udf1Field && data.Udf2Field);
    // An empty size is the longest text.
    EXPECT_EQ(data.Udf1Field->Size, 255);
    EXPECT_EQ(data.Udf2Field->DataType, ftMemo);
}

TEST_F(CustomFields, AColumnOfAnotherTypeCanOnlyBeCleared) {
    Execute(QStringLiteral("ALTER TABLE Bookings ADD COLUMN udf1Small SMALLINT"));
    Open();
    Run([](TCustomFieldsForm& form) {
        EXPECT_EQ(form.Field1NameEdit->Text(), QStringLiteral("Small"));
        EXPECT_EQ(form.Field1FieldTypeComboBox->ItemIndex(), -1);
        EXPECT_FALSE(form.Field1FieldTypeComboBox->Enabled());
        form.OkButton->Click();
        EXPECT_TRUE(form.Visible());
        Answer(mrOk);
        form.DeleteUDF1Button->Click();
        form.OkButton->Click();
    });
    EXPECT_EQ(Shown().front(), QStringLiteral("\"Small\" type not specified"));
    EXPECT_FALSE(data.Udf1Field);
}

class ExistingFields : public CustomFields {
protected:
    void SetUp() override {
        CustomFields::SetUp();
        Execute(QStringLiteral("ALTER TABLE Bookings ADD COLUMN udf1Price Float"));
        Execute(QStringLiteral("ALTER TABLE Bookings ADD COLUMN udf2Code TEXT(10)"));
        Execute(QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN udf2CodeEditMask TEXT(255)"));
        Execute(QStringLiteral("update RanvelGlobal set udf2CodeEditMask = 'LLL'"));
        Execute(QStringLiteral("update Bookings set udf1Price = 2.25, udf2Code = 'abc', Notes = 'kept'"));
        Open();
    }
};

TEST_F(ExistingFields, TypeChangesAskFirstAndAFailedConversionKeepsTheData) {
    Run([](TCustomFieldsForm& form) {
        EXPECT_EQ(form.Field1NameEdit->Text(), QStringLiteral("Price"));
        EXPECT_FALSE(form.Field1NameEdit->Enabled());
        EXPECT_EQ(form.Field1FieldTypeComboBox->Text(), QStringLiteral("Float"));
        EXPECT_EQ(form.Field2DataSizeEdit->Text(), QStringLiteral("10"));
        EXPECT_EQ(form.Field2EditMaskEdit->Text(), QStringLiteral("LLL"));
        Choose(*form.Field1FieldTypeComboBox, 3);
        Choose(*form.Field2FieldTypeComboBox, 3);
        Answer(mrOk);
        Answer(mrOk);
        form.OkButton->Click();
        EXPECT_TRUE(form.Visible());
        form.CancelButton->Click();
    });
    EXPECT_EQ(Shown(), (std::vector<QString>{
                           "You are about to alter field \"Price\" from Float to Integer.\r\rSome data may be "
                           "truncated during this operation.\r\rContinue?",
                           "You are about to alter field \"Code\" from Text(10) to Integer.\r\rSome data loss may "
                           "occur if existing values can not be converted.\r\rContinue?",
                           kNotConverted}));
    EXPECT_EQ(Rows(QStringLiteral("select udf2Code, Notes from Bookings")), (QStringList{"abc|kept", "abc|kept"}));
    ASSERT_TRUE(data.Udf1Field && data.Udf2Field);
    EXPECT_EQ(data.Udf1Field->DataType, ftInteger);
    EXPECT_EQ(data.Udf2Field->DataType, ftWideString);
}

TEST_F(ExistingFields, ClearingDropsBothColumnsAndKeepsEveryOtherValueInItsPlace) {
    QStringList columns = Columns(QStringLiteral("Bookings"));
    const QStringList before = Rows(QStringLiteral("select BookingId, Client, Notes, udf1Price from Bookings"));
    Run([](TCustomFieldsForm& form) {
        Answer(mrCancel);
        form.DeleteUDF2Button->Click();
        EXPECT_EQ(form.Field2NameEdit->Text(), QStringLiteral("Code"));
        Answer(mrOk);
        form.DeleteUDF2Button->Click();
        EXPECT_EQ(form.Field2NameEdit->Text(), QString());
        EXPECT_TRUE(form.Field2NameEdit->Enabled());
        EXPECT_EQ(form.Field1NameEdit->Text(), QStringLiteral("Price"));
        form.CancelButton->Click();
    });
    EXPECT_EQ(Shown()[0], QStringLiteral("You are about to permanently delete field \"Code\". All data in this field "
                                         "will be lost.\r\rContinue?"));
    columns.removeAll(QStringLiteral("Bookings.udf2Code TEXT(10)"));
    EXPECT_EQ(Columns(QStringLiteral("Bookings")), columns);
    EXPECT_EQ(Rows(QStringLiteral("select BookingId, Client, Notes, udf1Price from Bookings")), before);
    EXPECT_FALSE(Columns(QStringLiteral("RanvelGlobal")).join(u' ').contains(QStringLiteral("udf2CodeEditMask")));
    EXPECT_TRUE(data.Udf1Field);
    EXPECT_FALSE(data.Udf2Field);
}

// The child of the crash test: drops the first field of the file it is given.
TEST(CustomFieldsCrashChild, DISABLED_DropsTheFirstField) {
    ui::ScopedScriptedRunner runner;
    data_test::ScriptedDataWindows windows;
    TData data;
    ASSERT_TRUE(data.ConnectDatabase(qEnvironmentVariable("TAVORIN_CHILD_FILE"), {}));
    TCustomFieldsForm form(data);
    form.Field1 = std::make_unique<TUDFField>();
    form.Field1->Assign(*data.Udf1Field);
    testing_env::Messages().QueueAnswer(mrOk);
    form.DeleteField(1);
    EXPECT_FALSE(form.Field1);
}

TEST_F(ExistingFields, AKillDuringTheDropLeavesTheColumnWithItsDataOrGone) {
    data.DisconnectDatabase();
    const QStringList others = Rows(QStringLiteral("select BookingId, Client, Notes, udf1Price from Bookings"));
    for (const QString point : {"statement", "native-exec"}) {
        int pass = 1;
        for (; pass < 100; ++pass) {
            const QString file = data_test::DbPath(QStringLiteral("drop-%1-%2.tvd").arg(point).arg(pass));
            ASSERT_TRUE(QFile::copy(path, file));
            QProcessEnvironment environment;
            environment.insert("TAVORIN_CHILD_FILE", file);
            environment.insert("TAVORIN_KILL_AT", QStringLiteral("%1:%2").arg(point).arg(pass));
            const testing_env::ChildResult result =
                testing_env::RunChildTest("CustomFieldsCrashChild.DISABLED_DropsTheFirstField", environment);
            const std::string where = point.toStdString() + ':' + std::to_string(pass);
            ASSERT_TRUE(result.killed || result.exitCode == 0) << where;
            const sql::Connection connection(data_test::Plain(file, {}));
            const bool kept = !data_test::CatalogLines(connection)
                                   .filter(QRegularExpression(QStringLiteral("^Bookings\\.udf1Price ")))
                                   .isEmpty();
            if (kept) {
                EXPECT_EQ(AdminTest::Rows(file, QStringLiteral("select BookingId, Client, Notes, udf1Price from "
                                                               "Bookings")),
                          others)
                    << where;
            }
            EXPECT_EQ(AdminTest::Rows(file, QStringLiteral("select BookingId, Client, Notes, udf2Code from Bookings")),
                      (QStringList{"1|c|kept|abc", "2|c|kept|abc"}))
                << where;
            if (!result.killed) {
                EXPECT_FALSE(kept) << where;
                break;
            }
        }
        // Killed at least once, and run to its end within the passes.
        EXPECT_GT(pass, 1) << point.toStdString();
        EXPECT_LT(pass, 100) << point.toStdString();
    }
}

// With TAVORIN_UI_SHOTS, the picture of docs/.
TEST_F(ExistingFields, TheDialogShowsItsTextsWhole) {
    testing_env::AtEachTestFont([this] {
        TCustomFieldsForm form(data);
        form.Field1 = std::make_unique<TUDFField>();
        form.Field1->Assign(*data.Udf1Field);
        form.ShowHelpTopic = [](const QString&) {};
        form.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(form);
    });
}

}  // namespace
