#include "controls/edit/WwFormClasses.h"

#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwCheckBox.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/edit/WwDBSpinEdit.h"
#include "platform/ui/FormDescription.h"

namespace controls {
namespace {

template <class T>
ui::FormClassFactory Make() {
    return [](QWidget* parent) -> TControl* { return new T(parent); };
}

}  // namespace

void RegisterEditFormClasses() {
    static const bool registered = [] {
        ui::RegisterFormClass(QStringLiteral("TwwDBEdit"), Make<TwwDBEdit>());
        ui::RegisterFormClass(QStringLiteral("TwwDBComboBox"), Make<TwwDBComboBox>());
        ui::RegisterFormClass(QStringLiteral("TwwDBSpinEdit"), Make<TwwDBSpinEdit>());
        ui::RegisterFormClass(QStringLiteral("TwwDBDateTimePicker"), Make<TwwDBDateTimePicker>());
        ui::RegisterFormClass(
            QStringLiteral("TwwCheckBox"), Make<TwwCheckBox>(),
            [](TControl& control, const QString& caption) { static_cast<TwwCheckBox&>(control).SetCaption(caption); });
        return true;
    }();
    (void)registered;
}

}  // namespace controls
