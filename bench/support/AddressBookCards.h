// A database file of generated address cards for the address book benchmarks, made once per card count.
#pragma once

#include <QString>

namespace address_book_cards {

// The path of a database whose AddressBook table holds count cards: ten first names by ten last names, so that
// "an" matches about a tenth of them.
QString Database(int count);

}  // namespace address_book_cards
