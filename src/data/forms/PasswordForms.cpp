// The password dialogs: their description, and the message wrapped and sized into them.
#include "data/forms/PasswordForms.h"

#include "platform/ui/FormDescription.h"

#include <QFontMetrics>

namespace data {

// The memo starts empty and without height; ShowLines gives it the message's lines and moves the rest down.
PasswordDialog::PasswordDialog(QWidget* owner, const QString& name, const QString& caption) : TForm(owner) {
    ui::DescribeForm(
        *this, {name, caption, bsDialog, poScreenCenter, 330, 80},
        {
            // name          class      parent left top width height caption  properties
            {"InfoMemo", "TMemo", "", 8, 8, 314, 0, "",
             "ReadOnly=True; WordWrap=False; TabStop=False; "
             "Color=clBtnFace; BorderStyle=bsNone"},
            {"PasswordEdit", "TEdit", "", 8, 16, 314, 21, "", "PasswordChar=*"},
            {"OkButton", "TButton", "", 164, 47, 75, 25, "Ok", "Default=True; ModalResult=mrOk"},
            {"CancelButton", "TButton", "", 247, 47, 75, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
        });
    InfoMemo = Find<TMemo>("InfoMemo");
    PasswordEdit = Find<TEdit>("PasswordEdit");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");

    OnShow = [this](QObject*) {
        PasswordEdit->Clear();
        SetActiveControl(PasswordEdit);
    };
    Loaded();
}

void PasswordDialog::FitMemoHeight(int memoHeight) {
    const int growth = memoHeight - InfoMemo->Height();
    InfoMemo->SetHeight(memoHeight);
    for (TControl* below : std::initializer_list<TControl*>{PasswordEdit, OkButton, CancelButton})
        below->SetTop(below->Top() + growth);
    SetClientHeight(ClientHeight() + growth);
}

QStringList PasswordDialog::WrapToMemo(const QString& text) const {
    const QFontMetrics metrics(InfoMemo->font());
    const int clientWidth = InfoMemo->ClientWidth();
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ')) {
        const QString longer = line + word + u' ';
        if (line.isEmpty() || metrics.horizontalAdvance(longer) < clientWidth) {
            line = longer;
            continue;
        }
        lines << line.chopped(1);
        line = word + u' ';
    }
    if (!line.isEmpty()) lines << line.chopped(1);
    return lines;
}

void PasswordDialog::ShowLines(const QStringList& lines) {
    // Set as one text: adding lines one by one would drop the empty ones.
    InfoMemo->SetText(lines.join(u'\n'));
    const int lineHeight = QFontMetrics(InfoMemo->font()).lineSpacing();
    FitMemoHeight(static_cast<int>(lines.size()) * lineHeight);
}

}  // namespace data

TPasswordForm::TPasswordForm(QWidget* owner)
    : PasswordDialog(owner, QStringLiteral("PasswordForm"), QStringLiteral("Password Entry")) {}

void TPasswordForm::SetMessage(const QString& text) { ShowLines(WrapToMemo(text)); }

TDatabasePasswordForm::TDatabasePasswordForm(QWidget* owner)
    : PasswordDialog(owner, QStringLiteral("DatabasePasswordForm"), QStringLiteral("Enter Password")) {}

void TDatabasePasswordForm::FitMessage() {
    QStringList lines;
    for (const QString& line : InfoMemo->Lines().ToStringList()) lines << WrapToMemo(line);
    ShowLines(lines);
}
