// TDvLDAPSearchFilter: prefix-match terms on a person's names joined into one directory filter.
#pragma once

#include <QString>
#include <vector>

class TDvLDAPSearchFilter {
public:
    // Attribute indexes into the filter's attribute table.
    enum Attribute : qint32 { faCommonName = 0, faSurname = 1, faGivenName = 2 };
    // The only match kind terms are made with; the filter text does not depend on it.
    static constexpr qint32 kPrefixMatch = 1;

    void Add(qint32 attribute, qint32 matchKind, const QString& value);
    // "&" joins the terms when all must match, else "|"; values go in unescaped. Empty without terms.
    QString GetFilter(bool allMustMatch) const;

private:
    struct Term {
        qint32 attribute;
        qint32 matchKind;
        QString value;
    };
    std::vector<Term> terms_;
};
