// The login name and column fitting of user ids.
#include "data/bookings/UserIdentity.h"

#include "platform/rtl/SystemFacts.h"

namespace data {

QString LoginUserName() {
    const QString name = rtl::UserName();
    return name.isEmpty() ? QStringLiteral("n/a") : name;
}

QString FitToColumn(const QString& text, int size) { return size > 0 ? text.left(size) : text; }

}  // namespace data
