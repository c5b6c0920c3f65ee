// Read-with-default helpers over the framework's typed reads.
#include "util/core/DvRegistry.h"

namespace {

template <typename T, typename Read>
T ReadOrDefault(TRegistry& reg, const QString& name, T defaultValue, Read read) {
    if (!reg.ValueExists(name)) return defaultValue;
    try {
        return read(name);
    } catch (const ERegistryException&) {
        return defaultValue;
    }
}

}  // namespace

bool TDvRegistry::ReadBoolDefault(const QString& name, bool defaultValue) {
    return ReadOrDefault(*this, name, defaultValue, [this](const QString& n) { return ReadBool(n); });
}

QString TDvRegistry::ReadStringDefault(const QString& name, const QString& defaultValue) {
    return ReadOrDefault(*this, name, defaultValue, [this](const QString& n) { return ReadString(n); });
}

int TDvRegistry::ReadIntegerDefault(const QString& name, int defaultValue) {
    return ReadOrDefault(*this, name, defaultValue, [this](const QString& n) { return ReadInteger(n); });
}

double TDvRegistry::ReadFloatDefault(const QString& name, double defaultValue) {
    return ReadOrDefault(*this, name, defaultValue, [this](const QString& n) { return ReadFloat(n); });
}

TDateTime TDvRegistry::ReadDateTimeDefault(const QString& name, TDateTime defaultValue) {
    return ReadOrDefault(*this, name, defaultValue, [this](const QString& n) { return ReadDateTime(n); });
}
