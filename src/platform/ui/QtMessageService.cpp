// Message dialogs shown as QMessageBox and QInputDialog.
#include "platform/ui/QtMessageService.h"

#include "platform/ui/ModalRunner.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {
namespace {

struct ButtonSpec {
    TMsgDlgBtn button;
    const char* caption;
    int result;
    QMessageBox::ButtonRole role;
};

const ButtonSpec kDialogButtons[] = {
    {mbYes, "&Yes", mrYes, QMessageBox::YesRole},
    {mbNo, "&No", mrNo, QMessageBox::NoRole},
    {mbOK, "OK", mrOk, QMessageBox::AcceptRole},
    {mbCancel, "Cancel", mrCancel, QMessageBox::RejectRole},
    {mbAbort, "&Abort", mrAbort, QMessageBox::RejectRole},
    {mbRetry, "&Retry", mrRetry, QMessageBox::AcceptRole},
    {mbIgnore, "&Ignore", mrIgnore, QMessageBox::AcceptRole},
    {mbAll, "&All", mrAll, QMessageBox::AcceptRole},
    {mbNoToAll, "N&o to All", mrNoToAll, QMessageBox::NoRole},
    {mbYesToAll, "Yes to &All", mrYesToAll, QMessageBox::YesRole},
    {mbHelp, "&Help", mrNone, QMessageBox::HelpRole},
};

QMessageBox::Icon DialogIcon(TMsgDlgType type) {
    switch (type) {
        case mtWarning: return QMessageBox::Warning;
        case mtError: return QMessageBox::Critical;
        case mtInformation: return QMessageBox::Information;
        case mtConfirmation: return QMessageBox::Question;
        case mtCustom: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QString DialogCaption(TMsgDlgType type) {
    switch (type) {
        case mtWarning: return QStringLiteral("Warning");
        case mtError: return QStringLiteral("Error");
        case mtInformation: return QStringLiteral("Information");
        case mtConfirmation: return QStringLiteral("Confirm");
        case mtCustom: return QApplication::applicationDisplayName();
    }
    return {};
}

QMessageBox::Icon BoxIcon(unsigned flags) {
    switch (flags & 0xF0) {
        case MB_ICONERROR: return QMessageBox::Critical;
        case MB_ICONQUESTION: return QMessageBox::Question;
        case MB_ICONWARNING: return QMessageBox::Warning;
        case MB_ICONINFORMATION: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

// The buttons of a message box, in order, with their ID results.
std::vector<std::pair<QString, int>> BoxButtons(unsigned flags) {
    switch (flags & 0x0F) {
        case MB_OKCANCEL: return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
        case MB_ABORTRETRYIGNORE: return {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}};
        case MB_YESNOCANCEL: return {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}};
        case MB_YESNO: return {{"&Yes", IDYES}, {"&No", IDNO}};
        case MB_RETRYCANCEL: return {{"&Retry", IDRETRY}, {"Cancel", IDCANCEL}};
        default: return {{"OK", IDOK}};
    }
}

int ShowDialog(const rtl::MessageRequest& request) {
    QMessageBox box(DialogIcon(request.type), DialogCaption(request.type), NormalizeLineBreaks(request.text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    std::vector<std::pair<QAbstractButton*, int>> results;
    for (const ButtonSpec& spec : kDialogButtons) {
        if (!request.buttons.Contains(spec.button)) continue;
        QPushButton* b = box.addButton(QString::fromLatin1(spec.caption), spec.role);
        results.emplace_back(b, spec.result);
        if (spec.button == mbCancel || spec.button == mbNo) box.setEscapeButton(b);
    }
    return ui::RunDialog(box, QStringLiteral("MessageDlg"), [&] {
        for (const auto& [button, result] : results)
            if (box.clickedButton() == button) return result;
        return int(mrCancel);
    });
}

int ShowBox(const rtl::MessageRequest& request) {
    QMessageBox box(BoxIcon(request.flags), request.caption, NormalizeLineBreaks(request.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    const auto buttons = BoxButtons(request.flags);
    std::vector<QAbstractButton*> added;
    for (const auto& [caption, id] : buttons) added.push_back(box.addButton(caption, QMessageBox::ActionRole));
    const int defaultIndex = (request.flags & MB_DEFBUTTON3) ? 2 : (request.flags & MB_DEFBUTTON2) ? 1 : 0;
    if (defaultIndex < static_cast<int>(added.size()))
        box.setDefaultButton(static_cast<QPushButton*>(added[defaultIndex]));
    return ui::RunDialog(box, QStringLiteral("MessageBox"), [&] {
        for (size_t i = 0; i < added.size(); ++i)
            if (box.clickedButton() == added[i]) return buttons[i].second;
        return int(IDCANCEL);
    });
}

}  // namespace

QString NormalizeLineBreaks(const QString& text) {
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

rtl::MessageAnswer QtMessageService::Ask(const rtl::MessageRequest& request) {
    switch (request.kind) {
        case rtl::MessageRequest::Kind::Dialog: return {ShowDialog(request), {}};
        case rtl::MessageRequest::Kind::Box: return {ShowBox(request), {}};
        case rtl::MessageRequest::Kind::Input: {
            QInputDialog dialog(QApplication::activeWindow());
            dialog.setWindowTitle(request.caption);
            dialog.setLabelText(NormalizeLineBreaks(request.text));
            dialog.setTextValue(request.value);
            const int result = ui::RunDialog(dialog, QStringLiteral("InputQuery"), [&] {
                return dialog.result() == QDialog::Accepted ? int(mrOk) : int(mrCancel);
            });
            return {result, result == mrOk ? dialog.textValue() : request.value};
        }
    }
    return {};
}

}  // namespace ui
