// Layout, wrapping and sizing of the password dialogs.
#include "data/forms/PasswordForms.h"

#include <QFontMetrics>

namespace data {
namespace {

constexpr int kMargin = 8;
constexpr int kClientWidth = 330;
constexpr int kEditHeight = 21;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kGap = 10;

}  // namespace

PasswordDialog::PasswordDialog(QWidget* owner, const QString& name, const QString& caption)
    : TForm(owner), InfoMemo(new TMemo(this)), PasswordEdit(new TEdit(this)), OkButton(new TButton(this)),
      CancelButton(new TButton(this)) {
    SetName(name);
    SetCaption(caption);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);

    // The memo is a read-only message area: no frame, no margins, no scroll bars, the dialog's colour.
    InfoMemo->SetName(QStringLiteral("InfoMemo"));
    InfoMemo->SetReadOnly(true);
    InfoMemo->SetWordWrap(false);
    InfoMemo->SetTabStop(false);
    InfoMemo->SetColor(clBtnFace);
    InfoMemo->setFrameShape(QFrame::NoFrame);
    InfoMemo->document()->setDocumentMargin(0);
    InfoMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    InfoMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    PasswordEdit->SetName(QStringLiteral("PasswordEdit"));
    PasswordEdit->SetPasswordChar(u'*');

    OkButton->SetName(QStringLiteral("OkButton"));
    OkButton->SetCaption(QStringLiteral("Ok"));
    OkButton->SetModalResult(mrOk);
    OkButton->SetDefault(true);
    CancelButton->SetName(QStringLiteral("CancelButton"));
    CancelButton->SetCaption(QStringLiteral("Cancel"));
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);

    SetClientWidth(kClientWidth);
    Arrange(0);

    OnShow = [this](QObject*) {
        PasswordEdit->Clear();
        SetActiveControl(PasswordEdit);
    };
    Loaded();
}

void PasswordDialog::Arrange(int memoHeight) {
    const int width = kClientWidth - 2 * kMargin;
    InfoMemo->SetBounds(kMargin, kMargin, width, memoHeight);
    const int editTop = kMargin + memoHeight + kMargin;
    PasswordEdit->SetBounds(kMargin, editTop, width, kEditHeight);
    const int buttonTop = editTop + kEditHeight + kGap;
    CancelButton->SetBounds(kClientWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    OkButton->SetBounds(CancelButton->Left() - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    SetClientHeight(buttonTop + kButtonHeight + kMargin);
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
    const int lineHeight = QFontMetrics(InfoMemo->font()).height();
    Arrange(static_cast<int>(lines.size()) * lineHeight);
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
