// The library's texts and settings: defaults, copying into the global instance, the mask error and controllers.
#include "controls/edit/WwController.h"
#include "controls/edit/WwIntl.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>
#include <QWidget>

namespace {

// Every test leaves the global instance at its defaults.
class Intl : public ::testing::Test {
protected:
    void TearDown() override { TwwIntl(nullptr).CopyToGlobal(); }
    TwwIntl& global = TwwIntl::Global();
};

}  // namespace

TEST_F(Intl, StartsWithTheDefaults) {
    EXPECT_TRUE(global.OKCancelBitmapped);
    EXPECT_EQ(global.BtnOKCaption, "&OK");
    EXPECT_EQ(global.BtnCancelCaption, "Cancel");
    EXPECT_FALSE(global.Connected());
    EXPECT_EQ(global.CheckBoxInGridStyle(), cbStyleAuto);
    EXPECT_EQ(global.GridPaintStyle(), gpsDynamicDeviceContext);
    EXPECT_TRUE(global.UseLocateMethodForSearch);
    EXPECT_TRUE(global.ResetRangeByReopen);
    EXPECT_TRUE(global.ADO.UseLocateWhenFindingValue);
    EXPECT_EQ(global.DefaultEpochYear, 1950);
    EXPECT_EQ(GetFilterMemoSize(), 65536);
    EXPECT_EQ(global.UserMessages.PictureValidateError, "Invalid characters. Field : ");
    EXPECT_EQ(global.UserMessages.MemoChangesWarning, "Changes have been made!  Are you sure you wish to cancel?");
    EXPECT_EQ(global.LocateDialog.MatchAnyLabel, "Partial Match &Anywhere");
    EXPECT_EQ(global.FilterDialog.MatchAnyLabel, "Partial Match Any&where");
    EXPECT_EQ(global.Navigator.Hints.NextPageHint, "Move forward %d records");
    EXPECT_EQ(global.MonthCalendar.EnterYearPrompt, "Enter Valid Year");
    EXPECT_EQ(global.RichEdit.MenuLabels.RedoCaption, "");
    EXPECT_EQ(global.RichEdit.ParagraphDialog.HelpContext, 0);
    EXPECT_EQ(global.SearchDialog.StatusRecLabel, "Rec #");
}

TEST_F(Intl, AFormsInstanceChangesTheGlobalOnlyWhenConnected) {
    TwwIntl form(nullptr);
    form.BtnOKCaption = "&Accept";
    form.SetCheckBoxInGridStyle(cbStyleXmark);
    form.Loaded();
    EXPECT_EQ(global.BtnOKCaption, "&OK");
    EXPECT_EQ(global.CheckBoxInGridStyle(), cbStyleAuto);

    form.UserMessages.LocateNoMatches = "Nothing";
    form.RichEdit.TabDialog.TabDlgCaption = "Tabs";
    form.DefaultEpochYear = 1930;
    form.SetConnected(true);
    EXPECT_EQ(global.BtnOKCaption, "&Accept");
    EXPECT_EQ(global.UserMessages.LocateNoMatches, "Nothing");
    EXPECT_EQ(global.RichEdit.TabDialog.TabDlgCaption, "Tabs");
    EXPECT_EQ(global.DefaultEpochYear, 1930);
    EXPECT_EQ(global.CheckBoxInGridStyle(), cbStyleXmark);
    EXPECT_FALSE(global.Connected());

    form.SetGridPaintStyle(gpsBitmapCanvas);
    EXPECT_EQ(global.GridPaintStyle(), gpsBitmapCanvas);
}

TEST_F(Intl, TheIniFileNameReachesTheGlobalWithAnExtension) {
    const std::pair<QString, QString> rows[] = {
        {"layouts", "layouts.ini"}, {"layouts.ini", "layouts.ini.ini"}, {".ini", ""}, {"", ""}};
    for (const auto& [name, expected] : rows) {
        global.IniFileName = "before";
        TwwIntl form(nullptr);
        form.IniFileName = name;
        form.CopyToGlobal();
        EXPECT_EQ(global.IniFileName, expected) << name.toStdString();
    }
}

TEST_F(Intl, CopyingTheGlobalOntoItselfChangesNothing) {
    global.IniFileName = "own";
    global.CopyToGlobal();
    EXPECT_EQ(global.IniFileName, "own");
}

TEST_F(Intl, AMaskErrorRaisesUnlessTheHandlerSuppressesIt) {
    try {
        global.DoValidationErrorUsingMask(nullptr, nullptr);
        FAIL() << "no exception";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Invalid input value.  Use escape key to abandon changes");
    }

    global.OnValidationErrorUsingMask = [](QObject*, TField*, QString& message, bool&) { message = "Reworded"; };
    EXPECT_THROW(
        try { global.DoValidationErrorUsingMask(nullptr, nullptr); } catch (const EInvalidOperation& e) {
            EXPECT_EQ(e.Message(), "Reworded");
            throw;
        },
        EInvalidOperation);

    global.OnValidationErrorUsingMask = [](QObject*, TField*, QString&, bool& doDefault) { doDefault = false; };
    EXPECT_NO_THROW(global.DoValidationErrorUsingMask(nullptr, nullptr));
}

TEST(Controller, ListsItsControlsUntilTheyGo) {
    TwwController controller(nullptr);
    TwwController* reference = nullptr;
    auto control = std::make_unique<QWidget>();
    AssignController(reference, &controller, control.get());
    EXPECT_EQ(reference, &controller);
    EXPECT_EQ(controller.ControlList(), QList<QObject*>{control.get()});
    control.reset();
    EXPECT_TRUE(controller.ControlList().isEmpty());

    QWidget other;
    AssignController(reference, &controller, &other);
    AssignController(reference, nullptr, &other);
    EXPECT_EQ(reference, nullptr);
    EXPECT_TRUE(controller.ControlList().isEmpty());
}
