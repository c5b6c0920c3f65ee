// Building the filter text from the last term to the first.
#include "mail/core/DvLDAPSearchFilter.h"

#include <array>

namespace {

const std::array<const char*, 3> kFilterAttributeNames{"cn", "sn", "givenname"};

}  // namespace

void TDvLDAPSearchFilter::Add(qint32 attribute, qint32 matchKind, const QString& value) {
    terms_.push_back({attribute, matchKind, value});
}

QString TDvLDAPSearchFilter::GetFilter(bool allMustMatch) const {
    const QChar op = allMustMatch ? u'&' : u'|';
    QString result;
    for (auto term = terms_.rbegin(); term != terms_.rend(); ++term) {
        const QString text =
            u'(' + QLatin1String(kFilterAttributeNames.at(term->attribute)) + u'=' + term->value + QStringLiteral("*)");
        result = term == terms_.rbegin() ? text : u'(' + op + text + result + u')';
    }
    return result;
}
