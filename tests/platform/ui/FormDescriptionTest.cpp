// Described windows: the builder makes the rows' controls in their parents, sets their properties by name,
// finds them by name and class, and refuses what a description gets wrong.
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/Splitter.h"

#include <gtest/gtest.h>

TEST(FormDescription, BuildsTheFrameAndEveryRowWithItsProperties) {
    TForm form;
    ui::DescribeForm(form, {"AskForm", "Ask", bsDialog, poScreenCenter, 300, 120},
                     {
                         {"Panel", "TPanel", "", 0, 0, 300, 40, "", "Color=clWhite; BevelOuter=bvNone"},
                         {"Title", "TLabel", "Panel", 8, 8, 280, 18, "Title", "AutoSize=False; Font.Style=fsBold"},
                         {"Note", "TMemo", "", 8, 48, 284, 30, "A note", "ReadOnly=True; BorderStyle=bsNone"},
                         {"Port", "TEdit", "", 8, 84, 60, 23, "25"},
                         {"Colour", "TEdit", "", 72, 84, 60, 23, "", "ReadOnly=True"},
                         {"OkButton", "TButton", "", 140, 84, 75, 25, "Ok", "Default=True; ModalResult=mrOk"},
                         {"NoButton", "TButton", "", 220, 84, 75, 25, "Cancel", "Cancel=True; Visible=False"},
                     });
    EXPECT_EQ(form.Name(), QStringLiteral("AskForm"));
    EXPECT_EQ(form.Caption(), QStringLiteral("Ask"));
    EXPECT_EQ(form.BorderStyle(), bsDialog);
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.ClientWidth(), 300);
    EXPECT_EQ(form.ClientHeight(), 120);

    auto* panel = form.Find<TPanel>("Panel");
    EXPECT_EQ(panel->Color(), clWhite);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
    auto* title = form.Find<TLabel>("Title");
    EXPECT_EQ(title->parentWidget(), panel);
    EXPECT_EQ(title->BoundsRect(), Bounds(8, 8, 280, 18));
    EXPECT_EQ(title->Caption(), QStringLiteral("Title"));
    EXPECT_TRUE(title->Font().Style().Contains(fsBold));
    auto* note = form.Find<TMemo>("Note");
    EXPECT_EQ(note->parentWidget(), form.ClientArea());
    EXPECT_EQ(note->Text(), QStringLiteral("A note"));
    EXPECT_TRUE(note->ReadOnly());
    EXPECT_EQ(note->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(form.Find<TEdit>("Port")->Text(), QStringLiteral("25"));
    EXPECT_FALSE(form.Find<TEdit>("Port")->ReadOnly());
    EXPECT_TRUE(form.Find<TEdit>("Colour")->ReadOnly());
    auto* ok = form.Find<TButton>("OkButton");
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(ok->ModalResult(), mrOk);
    auto* no = form.Find<TButton>("NoButton");
    EXPECT_TRUE(no->Cancel());
    EXPECT_FALSE(no->isVisibleTo(&form));
}

TEST(FormDescription, AlignedRowsKeepTheirOwnSizeAcrossTheirAlignment) {
    // A splitter is born aligned left, which stretches it to its parent's height before its row aligns it.
    TForm form;
    ui::DescribeForm(form, {"SplitForm", "Split", bsSizeable, poDesigned, 400, 300},
                     {
                         {"TopPanel", "TPanel", "", 0, 0, 400, 120, "", "Align=alTop"},
                         {"Splitter", "TSplitter", "", 0, 120, 400, 3, "", "Align=alTop"},
                         {"SideSplitter", "TSplitter", "TopPanel", 100, 0, 4, 120, "", "Align=alLeft"},
                         {"BottomPanel", "TPanel", "", 0, 123, 400, 177, "", "Align=alClient"},
                     });
    EXPECT_EQ(form.Find<TSplitter>("Splitter")->BoundsRect(), Bounds(0, 120, 400, 3));
    EXPECT_EQ(form.Find<TSplitter>("SideSplitter")->Width(), 4);
    EXPECT_EQ(form.Find<TPanel>("BottomPanel")->BoundsRect(), Bounds(0, 123, 400, 177));
}

TEST(FormDescription, MistakesRaiseNamingTheControl) {
    const std::vector<std::pair<ui::ControlRow, QString>> cases = {
        {{"A", "TSpinner", "", 0, 0, 10, 10}, "A: unknown class TSpinner"},
        {{"A", "TLabel", "", 0, 0, 10, 10, "", "Colour=clWhite"}, "A: unknown property Colour"},
        {{"A", "TLabel", "", 0, 0, 10, 10, "", "Default=True"}, "A: has no property Default"},
        {{"A", "TButton", "", 0, 0, 10, 10, "", "ModalResult=mrMaybe"}, "A: unknown value mrMaybe"},
        {{"A", "TButton", "", 0, 0, 10, 10, "", "Default=Yes"}, "A: not a Boolean: Yes"},
        {{"A", "TButton", "", 0, 0, 10, 10, "", "Default"}, "A: no value in Default"},
        {{"Taken", "TButton", "", 0, 0, 10, 10}, "Taken: name used twice"},
        {{"A", "TButton", "Nowhere", 0, 0, 10, 10}, "TestForm has no control Nowhere of that class"},
    };
    for (const auto& [row, message] : cases) {
        TForm form;
        form.SetName(QStringLiteral("TestForm"));
        ui::AddControls(form, {{"Taken", "TLabel", "", 0, 0, 10, 10}});
        try {
            ui::AddControls(form, {row});
            ADD_FAILURE() << "no error for " << message.toStdString();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
}

TEST(FormDescription, FindRaisesForAMissingNameOrAnotherClass) {
    TForm form;
    form.SetName(QStringLiteral("TestForm"));
    ui::AddControls(form, {{"OkButton", "TButton", "", 0, 0, 75, 25, "Ok"}});
    EXPECT_THROW(form.Find<TButton>("CancelButton"), Exception);
    EXPECT_THROW(form.Find<TLabel>("OkButton"), Exception);
    EXPECT_EQ(form.Find<TControl>("OkButton")->Name(), QStringLiteral("OkButton"));
}
