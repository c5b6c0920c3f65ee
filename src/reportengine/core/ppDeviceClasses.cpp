// The device class registry and the device font substitutes.
#include "reportengine/core/ppDeviceClasses.h"

#include "platform/rtl/StringList.h"

#include <algorithm>
#include <vector>

namespace {

// Filled at start-up before any report runs and only read afterwards, so it needs no lock.
std::vector<const TppDeviceClass*>& RegisteredDeviceClasses() {
    static std::vector<const TppDeviceClass*> classes;
    return classes;
}

}  // namespace

void RegisterDeviceClass(const TppDeviceClass* deviceClass) {
    if (!deviceClass) return;
    auto& classes = RegisteredDeviceClasses();
    if (std::find(classes.begin(), classes.end(), deviceClass) != classes.end()) return;
    reportengine::RegisterClass(deviceClass->engineClass);
    classes.push_back(deviceClass);
}

void UnregisterDeviceClass(const TppDeviceClass* deviceClass) {
    if (!deviceClass) return;
    reportengine::UnregisterClass(deviceClass->engineClass);
    auto& classes = RegisteredDeviceClasses();
    classes.erase(std::remove(classes.begin(), classes.end(), deviceClass), classes.end());
}

void GetDeviceClasses(TStrings& list) {
    for (const TppDeviceClass* deviceClass : RegisteredDeviceClasses())
        list.AddObject(deviceClass->DeviceName(), const_cast<TppDeviceClass*>(deviceClass));
}

const TppDeviceClass* FindDeviceClass(const QString& deviceName) {
    for (const TppDeviceClass* deviceClass : RegisteredDeviceClasses())
        if (deviceClass->DeviceName().compare(deviceName, Qt::CaseInsensitive) == 0) return deviceClass;
    return nullptr;
}

QString TppDeviceSubstitutions::SubstituteDeviceFont(const QString& fontName) {
    struct Substitute {
        const char* font;
        const char* substitute;
    };
    static const Substitute kSubstitutes[] = {
        {"Courier", "Courier New"},  {"Fixedsys", "Arial"},    {"Modern", "Arial"}, {"MS Sans Serif", "Arial"},
        {"MS Serif", "Courier New"}, {"Small Fonts", "Arial"}, {"System", "Arial"}, {"Terminal", "Arial"},
    };
    for (const Substitute& entry : kSubstitutes)
        if (fontName == QLatin1String(entry.font)) return QString::fromLatin1(entry.substitute);
    return fontName;
}
