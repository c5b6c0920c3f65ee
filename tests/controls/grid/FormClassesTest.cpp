// The data-aware controls as classes of described windows.
#include "controls/edit/WwCheckBox.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/grid/WwGridFormClasses.h"
#include "controls/grid/Wwdbgrid.h"
#include "controls/grid/Wwdblook.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/FormDescription.h"

#include <gtest/gtest.h>

TEST(DataAwareFormClasses, DescribedWindowsMakeThemWithTheirCaptionsAndSharedProperties) {
    controls::RegisterGridFormClasses();
    controls::RegisterGridFormClasses();  // a second call changes nothing
    TForm form;
    ui::DescribeForm(form, {"EditForm", "Edit", bsDialog, poScreenCenter, 400, 300},
                     {
                         {"ClientEdit", "TwwDBEdit", "", 8, 8, 200, 23, "Smith", "TabStop=False"},
                         {"AllDay", "TwwCheckBox", "", 8, 40, 120, 21, "All Day"},
                         {"Resource", "TwwDBLookupCombo", "", 8, 70, 200, 23},
                         {"Grid", "TwwDBGrid", "", 8, 100, 380, 190, "", "Visible=False"},
                     });
    EXPECT_EQ(form.Find<TwwDBEdit>("ClientEdit")->Text(), QStringLiteral("Smith"));
    EXPECT_FALSE(form.Find<TwwDBEdit>("ClientEdit")->TabStop());
    EXPECT_EQ(form.Find<TwwCheckBox>("AllDay")->Caption(), QStringLiteral("All Day"));
    EXPECT_NE(form.Find<TwwDBLookupCombo>("Resource"), nullptr);
    EXPECT_FALSE(form.Find<TwwDBGrid>("Grid")->isVisibleTo(&form));
    EXPECT_THROW(ui::AddControls(form, {{"Odd", "TwwDBNothing", "", 0, 0, 10, 10}}), Exception);
}
