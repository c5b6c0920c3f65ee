// The texts under which stored codes are shown: History kinds, share and locking modes, client filters.
#pragma once

#include <QString>

QString HistoryCodeName(quint8 code);
QString OpenModeName(quint32 mode);
QString LockingModeName(qint32 mode);
// 1 exact match, 2 match at beginning (anything else), 3 match anywhere; case is ignored.
int ParseClientFilterMatch(const QString& text);
QString ClientFilterMatchName(int mode);
// 1 when the user's weeks start on Monday, 7 otherwise.
int LocaleFirstDayOfWeek();
