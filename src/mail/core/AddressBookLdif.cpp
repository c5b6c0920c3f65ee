// Importing the entries of an LDIF file as address book cards.
#include "mail/core/AddressBook.h"

#include "platform/rtl/Exceptions.h"

#include <QFile>
#include <QTextStream>
#include <array>

namespace {

// The attributes taken from a line, tested in this order; the first beginning that matches decides.
const std::array<std::pair<const char*, TAddressBookCard::Text>, 15> kLdifAttributes{{
    {"dn:", nullptr},
    {"objectclass:", nullptr},
    {"givenname:", &TAddressBookCard::FirstName},
    {"sn:", &TAddressBookCard::LastName},
    {"cn:", &TAddressBookCard::DisplayName},
    {"mail:", &TAddressBookCard::EmailAddress},
    {"telephonenumber:", &TAddressBookCard::Phone},
    {"facsimiletelephonenumber:", &TAddressBookCard::Fax},
    {"l:", &TAddressBookCard::City},
    {"st:", &TAddressBookCard::Prov},
    {"postalcode:", &TAddressBookCard::Postcode},
    {"c:", &TAddressBookCard::Country},
    {"title:", &TAddressBookCard::Title},
    {"ou:", &TAddressBookCard::Department},
    {"o:", &TAddressBookCard::Company},
}};

bool IsBlank(const QString& line) { return line.trimmed().isEmpty(); }

// The value starts at the second character after the colon: the one right after it, normally a blank, is dropped.
void TakeLine(const QString& line, TAddressBookCard& card) {
    const QString lower = line.toLower();
    for (const auto& [beginning, text] : kLdifAttributes) {
        const QLatin1String name(beginning);
        if (!lower.startsWith(name)) continue;
        if (text) card.*text = line.mid(name.size() + 1);
        return;
    }
}

class LdifReader {
public:
    explicit LdifReader(const QString& fileName) : file_(fileName) {
        if (!file_.open(QIODevice::ReadOnly | QIODevice::Text))
            throw EInOutError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file_.errorString()));
        stream_.setDevice(&file_);
        stream_.setEncoding(QStringConverter::Utf8);
    }

    // False at the end of the file.
    bool ReadLine(QString& line) {
        if (stream_.atEnd()) return false;
        line = stream_.readLine();
        if (stream_.status() != QTextStream::Ok)
            throw EInOutError(QStringLiteral("Read error: ") + file_.errorString());
        return true;
    }

private:
    QFile file_;
    QTextStream stream_;
};

}  // namespace

void TAddressBook::ImportLdif(const QString& fileName) {
    LdifReader reader(fileName);
    TAddressBookCard card;
    QString line;
    bool more = reader.ReadLine(line);
    if (more && line.toLower().startsWith(QLatin1String("version:"))) {
        do more = reader.ReadLine(line);
        while (more && IsBlank(line));
    }
    // An entry ends at a blank line, or at the end of the file, once a line with content was taken.
    bool entryHasContent = false;
    for (; more; more = reader.ReadLine(line)) {
        if (!IsBlank(line)) {
            entryHasContent = true;
            TakeLine(line, card);
        } else if (entryHasContent) {
            AddCard(card);
            card.Clear();
            entryHasContent = false;
        }
    }
    if (entryHasContent) AddCard(card);
}
