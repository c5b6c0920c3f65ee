// The group question of the booking window and of its print and e-mail commands.
#include "booking/BookingFormShowGroup.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"

#include <QFontMetrics>
#include <QStringList>

TShowGroupForm::TShowGroupForm(QWidget* owner) : TForm(owner) {
    // clang-format off
    ui::DescribeForm(*this, {"ShowGroupForm", "Group Bookings", bsDialog, poScreenCenter, 330, 100}, {
        // name          class      parent left top width height caption     properties
        {"InfoMemo",     "TMemo",   "",    12,  12, 306,  40,    "",         "ReadOnly=True; TabStop=False; Color=clBtnFace; BorderStyle=bsNone"},
        {"YesButton",    "TButton", "",    62,  64, 80,   25,    "&Yes",     "Default=True; ModalResult=mrYes"},
        {"NoButton",     "TButton", "",    150, 64, 80,   25,    "&No",      "ModalResult=mrNo"},
        {"CancelButton", "TButton", "",    238, 64, 80,   25,    "&Cancel",  "Cancel=True; ModalResult=mrCancel"},
    });
    // clang-format on
    InfoMemo = Find<TMemo>(QStringLiteral("InfoMemo"));
    YesButton = Find<TButton>(QStringLiteral("YesButton"));
    NoButton = Find<TButton>(QStringLiteral("NoButton"));
    CancelButton = Find<TButton>(QStringLiteral("CancelButton"));
    Loaded();
}

void TShowGroupForm::SetMessage(const QString& text) {
    const QFontMetrics metrics(font());
    const int width = InfoMemo->Width() - 8;
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '))) {
        const QString longer = line + word + QLatin1Char(' ');
        if (line.isEmpty() || metrics.horizontalAdvance(longer.trimmed()) < width) {
            line = longer;
        } else {
            lines << line.trimmed();
            line = word + QLatin1Char(' ');
        }
    }
    if (!line.trimmed().isEmpty()) lines << line.trimmed();
    InfoMemo->SetText(lines.join(QLatin1Char('\n')));
    const int height = int(lines.size()) * (metrics.height() + 2) + 6;
    InfoMemo->SetHeight(height);
    for (TButton* button : {YesButton, NoButton, CancelButton}) button->SetTop(InfoMemo->Top() + height + 12);
    SetClientHeight(InfoMemo->Top() + height + CancelButton->Height() + 36);
}
