// Opening the address book window from the main window and from the booking window.
#include "app/main/AddressBookCommands.h"

#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "booking/BookingForm.h"
#include "data/module/DataModule.h"
#include "mail/AddressBookForm.h"
#include "platform/ui/Buttons.h"

void InstallAddressBook(TMainWindowServices& services) {
    services.AddressBook = [](TMainForm& form) {
        TAddressBookForm window(*Data, &form);
        window.SelectButton->Hide();
        window.CancelButton->Hide();
        window.ShowModal();
    };
}

bool SelectAddressCard(QWidget* owner, TBookingClientCard& client) {
    TAddressBookForm window(*Data, owner);
    TAddressBookCard* card = nullptr;
    if (!window.SelectCard(card)) return false;
    client.FirstName = card->FirstName;
    client.LastName = card->LastName;
    client.DisplayName = card->DisplayName;
    client.EmailAddress = card->EmailAddress;
    client.Phone = card->Phone;
    client.Company = card->Company;
    client.Address1 = card->Address1;
    client.Address2 = card->Address2;
    client.City = card->City;
    client.Prov = card->Prov;
    client.Postcode = card->Postcode;
    client.Country = card->Country;
    return true;
}
