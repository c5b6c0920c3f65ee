// The password dialogs: wrapping and sizing to the message, a cleared edit on every show, Enter and Cancel.
#include "data/forms/PasswordForms.h"
#include "platform/ui/Application.h"
#include "platform/ui/ModalRunner.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QTest>

TEST(PasswordForms, MessageIsWrappedToTheMemoAndTheFormGrowsByItsLines) {
    TPasswordForm form;
    form.SetMessage(QStringLiteral("short"));
    const int oneLineHeight = form.ClientHeight();
    const int lineHeight = QFontMetrics(form.InfoMemo->font()).height();
    EXPECT_EQ(form.InfoMemo->Lines().ToStringList(), QStringList{"short"});
    EXPECT_EQ(form.InfoMemo->Height(), lineHeight);

    const QString text = QStringLiteral(
        "Please enter SMTP password for userid \"someone.with.a.long.name@example.org\""
        " so that the message can be sent to every recipient of the booking");
    form.SetMessage(text);
    const QStringList lines = form.InfoMemo->Lines().ToStringList();
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.join(u' '), text);
    for (const QString& line : lines)
        EXPECT_LT(QFontMetrics(form.InfoMemo->font()).horizontalAdvance(line + u' '), form.InfoMemo->ClientWidth());
    EXPECT_EQ(form.InfoMemo->Height(), lines.size() * lineHeight);
    EXPECT_EQ(form.ClientHeight(), oneLineHeight + (lines.size() - 1) * lineHeight);
    EXPECT_GE(form.PasswordEdit->Top(), form.InfoMemo->Top() + form.InfoMemo->Height());
}

TEST(PasswordForms, DatabaseFormFitsTheCallersLinesKeepingEmptyOnes) {
    TDatabasePasswordForm form;
    EXPECT_EQ(form.Caption(), QStringLiteral("Enter Password"));
    form.InfoMemo->SetText("The database\n\n/srv/club.tvd\n\nis password protected. Please enter the password.");
    form.FitMessage();
    EXPECT_EQ(form.InfoMemo->Lines().ToStringList().mid(0, 4), (QStringList{"The database", "", "/srv/club.tvd", ""}));
    EXPECT_EQ(form.InfoMemo->Height(), form.InfoMemo->Lines().Count() * QFontMetrics(form.InfoMemo->font()).height());
}

TEST(PasswordForms, EnterGivesOkWithTheTypedTextAndEachShowStartsEmpty) {
    ui::ScopedScriptedRunner runner;
    TPasswordForm form;
    EXPECT_EQ(form.Caption(), QStringLiteral("Password Entry"));
    form.SetMessage(QStringLiteral("Please enter the Database password"));
    bool focused = false;
    bool emptyOnShow = false;
    auto type = [&](TForm&) {
        emptyOnShow = form.PasswordEdit->Text().isEmpty();
        focused = form.ActiveControl() == form.PasswordEdit;
        QTest::keyClicks(form.PasswordEdit, QStringLiteral("Secret"));
        QTest::keyClick(form.PasswordEdit, Qt::Key_Return);
    };
    runner->OnShown<TForm>(QStringLiteral("PasswordForm"), type);
    runner->OnShown<TForm>(QStringLiteral("PasswordForm"), type);
    runner->OnShown<TForm>(QStringLiteral("PasswordForm"), [&](TForm&) { form.CancelButton->click(); });

    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_TRUE(focused);
    EXPECT_EQ(form.GetPassword(), QStringLiteral("Secret"));
    EXPECT_EQ(form.PasswordEdit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_TRUE(emptyOnShow);
    EXPECT_EQ(form.GetPassword(), QStringLiteral("Secret"));
    EXPECT_EQ(form.ShowModal(), mrCancel);
}
