// The windowed message service shows the framework's texts and buttons and returns their results.
#include "platform/ui/QtMessageService.h"

#include <gtest/gtest.h>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// Clicks the button with the given caption in the next message box that opens.
void ClickWhenShown(const QString& caption, QString* seenText) {
    QTimer::singleShot(0, [=] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible()) continue;
            *seenText = box->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == caption) b->click();
        }
    });
}

}  // namespace

TEST(QtMessageService, AnswersWithTheClickedButtonsModalResult) {
    rtl::SetMessageService(std::make_shared<ui::QtMessageService>());
    QString seen;
    ClickWhenShown(QStringLiteral("&No"), &seen);
    EXPECT_EQ(MessageDlg(QStringLiteral("Delete?\r\nReally"), mtConfirmation, {mbYes, mbNo}), mrNo);
    EXPECT_EQ(seen, QStringLiteral("Delete?\nReally"));
}

TEST(QtMessageService, MessageBoxReturnsIdResults) {
    rtl::SetMessageService(std::make_shared<ui::QtMessageService>());
    QString seen;
    ClickWhenShown(QStringLiteral("Cancel"), &seen);
    EXPECT_EQ(MessageBox(QStringLiteral("Overwrite x\rnow"), QStringLiteral("Log"), MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(seen, QStringLiteral("Overwrite x\nnow"));
}

TEST(ScriptedMessageService, RecordsRawTextsAndAnswersInOrder) {
    auto service = std::make_shared<rtl::ScriptedMessageService>();
    rtl::SetMessageService(service);
    service->QueueAnswer(mrYes);
    service->QueueAnswer(mrOk, QStringLiteral("secret"));
    EXPECT_EQ(MessageDlg(QStringLiteral("Save?\r\n"), mtConfirmation, {mbYes, mbNo}), mrYes);
    QString value = QStringLiteral("old");
    EXPECT_TRUE(InputQuery(QStringLiteral("Password"), QStringLiteral("Enter"), value));
    EXPECT_EQ(value, QStringLiteral("secret"));
    // Nothing queued: the first button in the dialog's order (Cancel before Retry) answers.
    EXPECT_EQ(MessageDlg(QStringLiteral("Retry?"), mtError, {mbRetry, mbCancel}), mrCancel);
    EXPECT_EQ(service->Texts(), (std::vector<QString>{"Save?\r\n", "Enter", "Retry?"}));
    EXPECT_EQ(service->Requests()[2].type, mtError);
    EXPECT_EQ(service->UnansweredCount(), 1);
}
