// The address book window's commands: cards (open, new, delete, select), directories, the View switches and the
// import.
#include "mail/AddressBookForm.h"

#include "data/module/DataModule.h"
#include "mail/AddressBookCardForm.h"
#include "mail/ImportAddressBookWizard.h"
#include "mail/LDAPServerPropertiesForm.h"
#include "platform/rtl/NumberParse.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"

namespace {

void FillServerDialog(TLDAPServerPropertiesForm& dialog, const TDvLDAPServer& server) {
    dialog.NameEdit->SetText(server.ServerName);
    dialog.HostnameEdit->SetText(server.Hostname);
    dialog.BaseDNEdit->SetText(server.Base);
    dialog.PortNumberEdit->SetText(QString::number(server.Port));
    dialog.BindDNEdit->SetText(server.Bind);
    dialog.UseSSLCheckBox->SetChecked(server.SSL);
    dialog.MaxSizeEdit->SetText(QString::number(server.SizeLimit));
}

// A new directory: its size limit is at least 1. A field that is not a whole number ends the copying there.
void ReadLDAPServerDialog(const TLDAPServerPropertiesForm& dialog, TDvLDAPServer& server) {
    server.ServerName = dialog.NameEdit->Text();
    server.Hostname = dialog.HostnameEdit->Text();
    server.Base = dialog.BaseDNEdit->Text();
    int port = 0, sizeLimit = 0;
    if (!TryStrToInt(dialog.PortNumberEdit->Text(), port)) return;
    server.Port = port;
    if (!TryStrToInt(dialog.MaxSizeEdit->Text(), sizeLimit)) return;
    server.SizeLimit = sizeLimit < 1 ? 100 : sizeLimit;
    server.Bind = dialog.BindDNEdit->Text();
    server.SSL = dialog.UseSSLCheckBox->Checked();
}

// An edited directory keeps the size limit as typed; false when a number field ended the copying.
bool ReadEditedServer(const TLDAPServerPropertiesForm& dialog, TDvLDAPServer& server) {
    server.ServerName = dialog.NameEdit->Text();
    server.Hostname = dialog.HostnameEdit->Text();
    server.Base = dialog.BaseDNEdit->Text();
    int port = 0, sizeLimit = 0;
    if (!TryStrToInt(dialog.PortNumberEdit->Text(), port)) return false;
    server.Port = port;
    server.Bind = dialog.BindDNEdit->Text();
    server.SSL = dialog.UseSSLCheckBox->Checked();
    if (!TryStrToInt(dialog.MaxSizeEdit->Text(), sizeLimit)) return false;
    server.SizeLimit = sizeLimit;
    return true;
}

}  // namespace

void TAddressBookForm::OpenCard() {
    TListItem* item = CardListView->Selected();
    if (!item || !item->Data()) return;
    TAddressBookCardForm dialog(this);
    switch (SelectedKind()) {
        case TAddressBookInfo::akOwnBook: {
            auto& card = *static_cast<TAddressBookCard*>(item->Data());
            dialog.LoadCard(card);
            if (dialog.ShowModal() != mrOk) break;
            data_.AddressBook->UpdateCard(card.Id, dialog.GetCard());
            const qint32 id = card.Id;
            card.Assign(dialog.GetCard());
            card.Id = id;
            FillOwnRow(*item, card);
            ShowSelectedCard();
            break;
        }
        case TAddressBookInfo::akMapiBook:
            dialog.LoadWabEntry(*static_cast<const TDvWabEntry*>(item->Data()));
            dialog.SetReadOnly(true);
            dialog.ShowModal();
            break;
        case TAddressBookInfo::akLDAP:
            dialog.LoadLDAPEntry(*static_cast<const TDvLDAPEntry*>(item->Data()));
            dialog.SetReadOnly(true);
            dialog.ShowModal();
            break;
        default: break;
    }
    ArrangeCardPanel();
}

void TAddressBookForm::NewCard() {
    switch (SelectedKind()) {
        case TAddressBookInfo::akOwnBook: {
            TAddressBookCardForm dialog(this);
            if (dialog.ShowModal() != mrOk) return;
            data_.AddressBook->AddCard(dialog.GetCard());
            SearchSource();
            return;
        }
        case TAddressBookInfo::akLDAP: ShowMessage(QStringLiteral("Not implemented")); return;
        default: return;
    }
}

void TAddressBookForm::DeleteCommand() {
    if (ActiveControl() == CardListView && CardListView->SelCount() > 0) return DeleteCards();
    if (ActiveControl() == AddressBookListView && SelectedKind() == TAddressBookInfo::akLDAP) return DeleteServer();
}

void TAddressBookForm::DeleteCards() {
    // Entries of a directory or of the mail program's address book are never deleted.
    if (SelectedKind() != TAddressBookInfo::akOwnBook) return;
    const int count = CardListView->SelCount();
    if (count == 1) {
        const TListItem& item = *CardListView->Selected();
        const QString name = item.Caption();
        const QString email = item.SubItem(0);
        const QString who = name.isEmpty() ? email : name + QStringLiteral(" <") + email + u'>';
        if (MessageDlg(QStringLiteral("Delete card for ") + who, mtConfirmation, {mbOK, mbCancel}) != mrOk) return;
    } else if (MessageDlg(QStringLiteral("You are about to delete ") + QString::number(count) +
                              QStringLiteral(" address cards. Do you want to continue?"),
                          mtInformation, {mbOK, mbCancel}) != mrOk) {
        return;
    }
    {
        rtl::HourGlass hourGlass;
        for (int i = 0; i < CardListView->ItemCount(); ++i) {
            const TListItem& item = CardListView->Item(i);
            if (item.Selected()) data_.AddressBook->DeleteCard(static_cast<TAddressBookCard*>(item.Data())->Id);
        }
    }
    ClearAndSearch();
}

void TAddressBookForm::DeleteServer() {
    TDvLDAPServer* server = SelectedSource()->SourceServer;
    if (MessageDlg(QStringLiteral("Delete LDAP server ") + server->ServerName, mtConfirmation, {mbOK, mbCancel}) !=
        mrOk)
        return;
    CardListView->ClearItems();
    ldapRows_.clear();
    AddressBookListView->ClearItems();
    data_.LDAPServerList.Delete(data_.LDAPServerList.IndexOf(server));
    ServersChanged = true;
    RefillSources();
}

void TAddressBookForm::NewLDAPServer() {
    TLDAPServerPropertiesForm dialog(this);
    FillServerDialog(dialog, TDvLDAPServer());
    if (dialog.ShowModal() != mrOk) return;
    ReadLDAPServerDialog(dialog, *data_.LDAPServerList.Add());
    RefillSources();
    ServersChanged = true;
}

void TAddressBookForm::Properties() {
    if (ActiveControl() == CardListView) return OpenCard();
    if (ActiveControl() != AddressBookListView) return;
    if (SelectedKind() != TAddressBookInfo::akLDAP) {
        ShowMessage(QStringLiteral("No properties"));
        return;
    }
    EditServer(*SelectedSource()->SourceServer);
}

void TAddressBookForm::EditServer(TDvLDAPServer& server) {
    TLDAPServerPropertiesForm dialog(this);
    FillServerDialog(dialog, server);
    if (dialog.ShowModal() != mrOk) return;
    if (ReadEditedServer(dialog, server)) ServersChanged = true;
    AddressBookListView->Selected()->SetCaption(server.ServerName);
}

void TAddressBookForm::ToggleInternalAddressBook() {
    data_.ShowInternalAddressBook = !data_.ShowInternalAddressBook;
    InternalAddressBookItem->SetChecked(data_.ShowInternalAddressBook);
    RefillSources();
}

void TAddressBookForm::ToggleMapiAddressBook() {
    data_.ShowMapiAddressBook = !data_.ShowMapiAddressBook;
    MapiAddressBookItem->SetChecked(data_.ShowMapiAddressBook);
    RefillSources();
}

void TAddressBookForm::SelectButtonClick() {
    if (const TListItem* item = CardListView->Selected(); item && item->Data()) {
        PickedCards.Clear();
        switch (SelectedKind()) {
            case TAddressBookInfo::akOwnBook: {
                const auto& card = *static_cast<const TAddressBookCard*>(item->Data());
                data_.AddressBook->TouchCard(card.Id);
                PickedCards.AddCopy(card);
                break;
            }
            case TAddressBookInfo::akLDAP:
                PickedCards.AddLDAPEntry(*static_cast<const TDvLDAPEntry*>(item->Data()));
                break;
            case TAddressBookInfo::akMapiBook:
                PickedCards.AddWabEntry(*static_cast<const TDvWabEntry*>(item->Data()));
                break;
            default: break;
        }
    }
    SetModalResult(mrOk);
}

void TAddressBookForm::SelectAll() { CardListView->selectAll(); }

void TAddressBookForm::Import() {
    // Owned by the application, not by this window.
    TImportAddressBookTypeWizardForm typePage;
    TImportAddressBookNameWizardForm namePage;
    int step = 1;
    while (step >= 1 && step <= 3) {
        switch (step) {
            case 1: step = typePage.ShowModal() == kImportNext ? 2 : 0; break;
            case 2: {
                const int result = namePage.ShowModal();
                step = result == kImportNext ? 3 : result == kImportBack ? 1 : 0;
                break;
            }
            default: {
                Repaint();
                try {
                    rtl::HourGlass hourGlass;
                    data_.AddressBook->ImportLdif(namePage.GetFileName());
                } catch (...) {
                    // The cards inserted before the failure stay; the list shows them before the error does.
                    ClearAndSearch();
                    throw;
                }
                ClearAndSearch();
                step = 0;
                break;
            }
        }
    }
}
