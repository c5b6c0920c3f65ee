#include "controls/grid/WwGridFormClasses.h"

#include "controls/edit/WwFormClasses.h"
#include "controls/grid/Wwdbgrid.h"
#include "controls/grid/Wwdblook.h"
#include "platform/ui/FormDescription.h"

namespace controls {

void RegisterGridFormClasses() {
    static const bool registered = [] {
        RegisterEditFormClasses();
        ui::RegisterFormClass(QStringLiteral("TwwDBGrid"),
                              [](QWidget* parent) -> TControl* { return new TwwDBGrid(parent); });
        ui::RegisterFormClass(QStringLiteral("TwwDBLookupCombo"),
                              [](QWidget* parent) -> TControl* { return new TwwDBLookupCombo(parent); });
        return true;
    }();
    (void)registered;
}

}  // namespace controls
