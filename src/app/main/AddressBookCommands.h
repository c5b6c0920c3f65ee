// The address book window behind the main window's "&Address Book" and the booking window's client search.
#pragma once

#include "app/main/MainWindowServices.h"

class QWidget;
struct TBookingClientCard;

// Fills the main window's address book command: browsing, without Select and Cancel.
void InstallAddressBook(TMainWindowServices& services);

// The address book with Select and Cancel; true and the picked card's texts in client when one was picked.
bool SelectAddressCard(QWidget* owner, TBookingClientCard& client);
