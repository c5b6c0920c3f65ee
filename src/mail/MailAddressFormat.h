// How the mail windows show a sender: its display text, else "name <address>", else the address.
#pragma once

#include <QString>

QString FormatMailAddress(const QString& name, const QString& address, const QString& displayText);
