// Raising helpers for the exception families.
#include "platform/rtl/Exceptions.h"

void Abort() { throw EAbort(); }

void DatabaseError(const QString& message) { throw EDatabaseError(message); }
