// The two modal password dialogs: "Password Entry" with a message it wraps itself, "Enter Password" with lines.
#pragma once

#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"

#include <QStringList>

namespace data {

// What both dialogs share: a message memo above a masked edit and the Ok and Cancel buttons. The form
// grows by the memo's height, so the rest keeps the height it was designed with.
class PasswordDialog : public TForm {
public:
    QString GetPassword() const { return PasswordEdit->Text(); }

    TMemo* InfoMemo;
    TEdit* PasswordEdit;
    TButton* OkButton;
    TButton* CancelButton;

protected:
    PasswordDialog(QWidget* owner, const QString& name, const QString& caption);

    // The text split at blanks into lines narrower than the memo's client width.
    QStringList WrapToMemo(const QString& text) const;
    // Shows the lines and sizes memo and form to them.
    void ShowLines(const QStringList& lines);

private:
    // Gives the memo this height; the controls below it and the form move and grow by the difference.
    void FitMemoHeight(int memoHeight);
};

}  // namespace data

class TPasswordForm : public data::PasswordDialog {
public:
    explicit TPasswordForm(QWidget* owner = nullptr);
    // Word-wraps the message into the dialog.
    void SetMessage(const QString& text);
};

class TDatabasePasswordForm : public data::PasswordDialog {
public:
    explicit TDatabasePasswordForm(QWidget* owner = nullptr);
    // Sizes the dialog to the lines the caller put into InfoMemo; a line wider than the memo is wrapped.
    void FitMessage();
};
