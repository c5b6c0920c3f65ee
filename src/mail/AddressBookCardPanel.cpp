// The address book window's card panel: the selected card's details, stacked at the panel's line step.
#include "mail/AddressBookForm.h"

#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"

#include <initializer_list>

namespace {

// The texts of the panel's labels, in the order of the labels they fill.
struct PanelTexts {
    QString top, displayName, nickname, email, workPhone, fax, title, company, department;
};

void SetLabel(TLabel& label, const QString& prefix, const QString& text) {
    label.SetCaption(text.isEmpty() ? QString() : prefix + text);
}

// Places the shown labels of a group one step apart from the cursor on; the header only when one shows.
void StackGroup(TLabel& header, std::initializer_list<TLabel*> labels, int& top, int step) {
    bool anyShown = false;
    for (TLabel* label : labels) anyShown = anyShown || label->Visible();
    header.SetVisible(anyShown);
    if (!anyShown) return;
    header.SetTop(top);
    top += step;
    for (TLabel* label : labels) {
        if (!label->Visible()) continue;
        label->SetTop(top);
        top += step;
    }
}

}  // namespace

void TAddressBookForm::ClearCardPanel() {
    TopLabel->SetCaption(QStringLiteral("Card for "));
    for (TLabel* label : {DisplayNameLabel, NickNameLabel, EmailLabel, AdditionalEmailLabel, WorkPhoneLabel,
                          HomePhoneLabel, FaxLabel, TitleLabel, CompanyLabel, DepartmentLabel})
        label->SetCaption(QString());
    ArrangeCardPanel();
}

void TAddressBookForm::ShowSelectedCard() {
    PanelTexts texts;
    const TListItem* item = CardListView->Selected();
    if (item && item->Data()) {
        switch (SelectedKind()) {
            case TAddressBookInfo::akOwnBook: {
                const auto& card = *static_cast<const TAddressBookCard*>(item->Data());
                // The own card's title is not shown.
                texts = {card.DisplayName, card.DisplayName, card.Nickname, card.EmailAddress, card.Phone,
                         card.Fax,         QString(),        card.Company,  card.Department};
                break;
            }
            case TAddressBookInfo::akMapiBook: {
                const auto& entry = *static_cast<const TDvWabEntry*>(item->Data());
                texts = {entry.DisplayName,
                         entry.DisplayName,
                         QString(),
                         entry.EmailAddress,
                         entry.BusinessTelephoneNumber,
                         entry.BusinessFaxNumber,
                         entry.Title,
                         entry.CompanyName,
                         entry.DepartmentName};
                break;
            }
            case TAddressBookInfo::akLDAP: {
                const auto& entry = *static_cast<const TDvLDAPEntry*>(item->Data());
                texts = {
                    entry.cn,    entry.cn, QString(), entry.mail, entry.telephonenumber, entry.facsimiletelephonenumber,
                    entry.title, entry.o,  entry.ou};
                break;
            }
            default: break;
        }
    }
    TopLabel->SetCaption(QStringLiteral("Card for ") + texts.top);
    SetLabel(*DisplayNameLabel, QStringLiteral("Display Name: "), texts.displayName);
    SetLabel(*NickNameLabel, QStringLiteral("Nickname: "), texts.nickname);
    SetLabel(*EmailLabel, QStringLiteral("Email: "), texts.email);
    AdditionalEmailLabel->SetCaption(QString());
    SetLabel(*WorkPhoneLabel, QStringLiteral("Work: "), texts.workPhone);
    HomePhoneLabel->SetCaption(QString());
    SetLabel(*FaxLabel, QStringLiteral("Fax: "), texts.fax);
    SetLabel(*TitleLabel, QStringLiteral("Title: "), texts.title);
    CompanyLabel->SetCaption(texts.company);
    DepartmentLabel->SetCaption(texts.department);
    ArrangeCardPanel();
}

void TAddressBookForm::ArrangeCardPanel() {
    for (TLabel* label : {DisplayNameLabel, NickNameLabel, EmailLabel, AdditionalEmailLabel, WorkPhoneLabel,
                          HomePhoneLabel, FaxLabel, TitleLabel, CompanyLabel, DepartmentLabel})
        label->SetVisible(!label->Caption().isEmpty());
    const int step = ReferenceLabel->Top() - ContactHeaderLabel->Top();
    int left = contactTop_;
    StackGroup(*ContactHeaderLabel, {DisplayNameLabel, NickNameLabel, EmailLabel, AdditionalEmailLabel}, left, step);
    int right = phoneTop_;
    StackGroup(*PhoneHeaderLabel, {WorkPhoneLabel, HomePhoneLabel, FaxLabel}, right, step);
    if (PhoneHeaderLabel->Visible()) right += step;
    StackGroup(*WorkHeaderlabel, {TitleLabel, CompanyLabel, DepartmentLabel}, right, step);
    TopLabel->SetVisible(ContactHeaderLabel->Visible() || PhoneHeaderLabel->Visible() || WorkHeaderlabel->Visible());
}
