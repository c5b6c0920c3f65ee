// The address book's statements.
#include "mail/core/AddressBook.h"

#include "platform/db/ADODataSet.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTimeFormat.h"

#include <array>

namespace {

// A text value between double quotes, a double quote inside it doubled.
QString Quoted(const QString& value) {
    QString text = value;
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

// The program's clock's now as a date-time literal, so that LastUsed is stored as a date, whatever the locale.
QString NowLiteral() {
    return u'#' + FormatDateTime(QStringLiteral("m\"/\"d\"/\"yyyy h\":\"nn\":\"ss"), rtl::CurrentClock().Now()) + u'#';
}

struct FindCondition {
    quint8 flag;
    const char* column;
};

// The conditions in the order the statement lists them; the sort follows the same order.
constexpr std::array<FindCondition, 4> kFindConditions{{{TAddressBook::ffDisplayName, "DisplayName"},
                                                        {TAddressBook::ffEmailAddress, "EmailAddress"},
                                                        {TAddressBook::ffLastName, "LastName"},
                                                        {TAddressBook::ffNickname, "NickName"}}};

}  // namespace

void TAddressBook::Prepare(TADOQuery& query, const QStringList& lines) const {
    query.SetConnection(Connection);
    // Values are written into the text; a colon inside one is no parameter.
    query.ParamCheck = false;
    for (const QString& line : lines) query.SQL.Add(line);
}

int TAddressBook::Execute(const QStringList& lines) {
    TADOQuery query;
    Prepare(query, lines);
    return query.ExecSQL();
}

void TAddressBook::AddCard(const TAddressBookCard& card) {
    QStringList lines{QStringLiteral("insert into AddressBook"),
                      QStringLiteral("(FirstName, LastName, Nickname, DisplayName, EmailAddress, Company, Department, "
                                     "Title,"),
                      QStringLiteral(" Address1, Address2, City, Prov, Postcode, Country, Phone, Fax, LastUsed)"),
                      QStringLiteral("VALUES (")};
    for (const auto& column : TAddressBookCard::Columns()) lines << Quoted(card.*column.second) + u',';
    lines << NowLiteral() << QStringLiteral(")");
    Execute(lines);
}

void TAddressBook::AddAddress(const QString& name, const QString& address) {
    TAddressBookCard card;
    const qsizetype blank = name.lastIndexOf(u' ');
    card.FirstName = blank < 0 ? QString() : name.left(blank).trimmed();
    card.LastName = name.mid(blank + 1).trimmed();
    card.DisplayName = card.FirstName + u' ' + card.LastName;
    card.EmailAddress = address;
    AddCard(card);
}

void TAddressBook::UpdateCard(qint32 id, const TAddressBookCard& card) {
    QStringList lines{QStringLiteral("update AddressBook")};
    bool first = true;
    for (const auto& [column, text] : TAddressBookCard::Columns()) {
        lines << (first ? QStringLiteral("set ") : QString()) + QLatin1String(column) + QStringLiteral(" = ") +
                     Quoted(card.*text) + u',';
        first = false;
    }
    lines << QStringLiteral("LastUsed = ") + NowLiteral() << QStringLiteral("where Id = ") + QString::number(id);
    Execute(lines);
}

bool TAddressBook::DeleteCard(qint32 id) {
    return Execute({QStringLiteral("delete from AddressBook"), QStringLiteral("where Id = ") + QString::number(id)}) >
           0;
}

bool TAddressBook::TouchCard(qint32 id) {
    return Execute({QStringLiteral("update AddressBook"), QStringLiteral("set LastUsed = ") + NowLiteral(),
                    QStringLiteral("where Id = ") + QString::number(id)}) > 0;
}

qint32 TAddressBook::Find(const QString& text, quint8 flags) {
    const QString pattern = Quoted(text + u'%');
    QStringList lines{QStringLiteral("select *"), QStringLiteral("from [AddressBook]")};
    QStringList sortList;
    for (const FindCondition& condition : kFindConditions) {
        if (!(flags & condition.flag)) continue;
        // The first condition chosen opens the where clause, the others continue it.
        lines << (sortList.isEmpty() ? QStringLiteral("where (") : QStringLiteral("       or (")) +
                     QStringLiteral("[AddressBook].") + QLatin1String(condition.column) + QStringLiteral(" like ") +
                     pattern + u')';
        sortList << QLatin1String(condition.column);
    }
    if (!sortList.isEmpty()) lines << QStringLiteral("order by ") + sortList.join(u',');

    Cards.Clear();
    TADOQuery query;
    Prepare(query, lines);
    query.Open();
    // The fields are looked up once: a search may list every card.
    const TField& id = query.FieldByName(QStringLiteral("Id"));
    const TField& lastUsed = query.FieldByName(QStringLiteral("LastUsed"));
    std::array<const TField*, 16> texts{};
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = &query.FieldByName(QLatin1String(TAddressBookCard::Columns()[i].first));
    qint32 count = 0;
    for (; !query.Eof(); query.Next(), ++count) {
        TAddressBookCard* card = Cards.Add();
        card->Id = static_cast<qint32>(id.AsInteger());
        for (size_t i = 0; i < texts.size(); ++i) card->*TAddressBookCard::Columns()[i].second = texts[i]->AsString();
        card->LastUsed = lastUsed.AsDateTime();
    }
    return count;
}
