// The booking window's stored place, size and layout under the per-user "Booking" key.
#include "booking/BookingForm.h"

#include "platform/ui/Containers.h"
#include "platform/ui/Menus.h"
#include "util/DvFormPlacement.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

const QString kBookingKey = QStringLiteral("\\Booking");
// The customisation's key, the same for both layouts.
const QString kCustomizationKey = QStringLiteral("\\BookingLayout1");

}  // namespace

void TBookingForm::LoadUserDefaults() {
    // Without stored settings every optional field shows.
    Customization.RestoreDefaults();
    if (!VersionHistory) return;
    TDvRegistry reg(KEY_READ);
    // A missing key reads as every default.
    const bool opened = VersionHistory->OpenReadKey(reg, kBookingKey);
    const auto value = [&](const char* name, int defaultValue) {
        return opened ? reg.ReadIntegerDefault(QLatin1String(name), defaultValue) : defaultValue;
    };
    Layout = value("Layout", 1);
    if (Layout < 0 || Layout > 2) Layout = 1;
    Item(QStringLiteral("Layout1Item"))->SetChecked(Layout != 2);
    Item(QStringLiteral("Layout2Item"))->SetChecked(Layout == 2);
    // Kept as the client area's place and size (see util::KeptWindowRect), so that it comes back unchanged.
    const QRect designed = util::KeptWindowRect(*this);
    int top = value("Top", designed.y());
    int left = value("Left", designed.x());
    // The designed size is the least that shows every field whole.
    int height = qMax(value("Height", designed.height()), minimumHeight());
    int width = qMax(value("Width", designed.width()), minimumWidth());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect whole = screen->geometry();
        const QRect work = screen->availableGeometry();
        const int inch = int(screen->logicalDotsPerInch());
        top = qBound(0, top, qMax(0, whole.height() - inch));
        left = qBound(0, left, qMax(0, whole.width() - inch));
        height = qMin(height, work.height());
        width = qMin(width, work.width());
    }
    util::PlaceWindow(*this, QRect(left, top, width, height));
    if (!VersionHistory->ReadKey().isEmpty())
        Customization.LoadFromRegistry(VersionHistory->ReadKey() + kCustomizationKey);
}

void TBookingForm::SaveUserDefaults() {
    if (!VersionHistory) return;
    TDvRegistry reg;
    if (!VersionHistory->OpenWriteKey(reg, kBookingKey)) return;
    const QRect kept = util::KeptWindowRect(*this);
    reg.WriteInteger(QStringLiteral("Top"), kept.y());
    reg.WriteInteger(QStringLiteral("Left"), kept.x());
    reg.WriteInteger(QStringLiteral("Width"), kept.width());
    // The stored height is the window's without its task panel.
    reg.WriteInteger(QStringLiteral("Height"), kept.height() - (TaskPanel->isHidden() ? 0 : TaskPanel->Height()));
    reg.WriteInteger(QStringLiteral("Layout"), Layout);
    reg.CloseKey();
    Customization.SaveToRegistry(VersionHistory->GetCurrentKey() + kCustomizationKey);
}
