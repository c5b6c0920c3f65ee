// TAddressBook: the database's own address book, the AddressBook table read and written by SQL statements.
#pragma once

#include "mail/core/AddressBookCard.h"

#include <QString>
#include <QStringList>

class TADOConnection;
class TADOQuery;

class TAddressBook {
public:
    // What Find compares the text with.
    enum FindFlag : quint8 { ffDisplayName = 1, ffLastName = 2, ffNickname = 4, ffEmailAddress = 8 };
    static constexpr quint8 kFindAll = ffDisplayName | ffLastName | ffNickname | ffEmailAddress;

    // The data module's connection, not owned.
    TADOConnection* Connection = nullptr;
    // The cards of the last Find; they stay valid until the next one.
    TAddressBookCardList Cards;

    // Every statement raises the database's error, a text longer than its column among them.
    // Inserts the card as a new row; the card's Id is neither used nor updated.
    void AddCard(const TAddressBookCard& card);
    // A card for a recipient: the name is cut at its last blank into first and last name.
    void AddAddress(const QString& name, const QString& address);
    void UpdateCard(qint32 id, const TAddressBookCard& card);
    // False when no row has the id.
    bool DeleteCard(qint32 id);
    bool TouchCard(qint32 id);
    // The cards whose chosen names or address begin with the text, in any letter case; "%" and "_" act as
    // wildcards. Answers the number found.
    qint32 Find(const QString& text, quint8 flags);
    // A card per entry of an LDIF file (read as UTF-8); stops at the first insert that fails, keeping the cards
    // inserted before it. Raises EInOutError when the file cannot be read.
    void ImportLdif(const QString& fileName);

private:
    void Prepare(TADOQuery& query, const QStringList& lines) const;
    // Runs the statement's lines and answers the number of rows it changed.
    int Execute(const QStringList& lines);
};
