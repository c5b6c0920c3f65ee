// TDvRegistry: the registry accessor with the read-with-default helpers every settings reader uses.
#pragma once

#include "platform/registry/Registry.h"

class TDvRegistry : public TRegistry {
public:
    using TRegistry::TRegistry;

    // Each reads the named value of the open key with the typed read; a missing value, no open key or a
    // value of the wrong kind or size gives the default, and nothing is reported.
    bool ReadBoolDefault(const QString& name, bool defaultValue);
    QString ReadStringDefault(const QString& name, const QString& defaultValue);
    int ReadIntegerDefault(const QString& name, int defaultValue);
    double ReadFloatDefault(const QString& name, double defaultValue);
    TDateTime ReadDateTimeDefault(const QString& name, TDateTime defaultValue);
};
