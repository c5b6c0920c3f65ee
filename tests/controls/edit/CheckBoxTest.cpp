// The library's check box: value lists over a real database file, the three-state cycle, read-only links,
// the click rule inside grid cells, the dynamic caption and the copy the grid paints into a cell.
#include "LocateFixture.h"
#include "controls/edit/WwCheckBox.h"
#include "controls/edit/WwWindows.h"
#include "platform/ui/CustomGrid.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

using locate_test::LocateFixture;

class CheckBox : public LocateFixture {
protected:
    void SetUp() override {
        LocateFixture::SetUp();
        form.SetClientWidth(400);
        form.SetClientHeight(200);
        box = new TwwCheckBox(&form);
        box->SetBounds(8, 8, 200, 21);
        box->SetCaption("Shared with other sites");
        box->OnClick = [this](QObject*) { ++clicks; };
        form.Show();
    }

    void Bind(const QString& field, const QString& checked, const QString& unchecked) {
        box->SetValueChecked(checked);
        box->SetValueUnchecked(unchecked);
        box->SetDataSource(&source);
        box->SetDataField(field);
    }

    void Go(const QString& name) { ASSERT_TRUE(table.Locate("ResourceName", name, {})); }

    // What the file holds, read past the dataset.
    QVariant Stored(const QString& name) {
        TADOQuery query;
        query.SetConnection(&connection);
        query.SQL.SetText("SELECT Shared FROM Resources WHERE ResourceName = '" + name + "'");
        query.Open();
        return query.Fields()[0]->Value();
    }

    void ClickAt(QPoint point) { QTest::mouseClick(box, Qt::LeftButton, {}, point); }
    QPoint BoxCentre() const {
        return QRect(QPoint(box->GetButtonRect().Left, box->GetButtonRect().Top), QSize(13, 13)).center();
    }

    TForm form;
    TwwCheckBox* box = nullptr;
    int clicks = 0;
};

TEST_F(CheckBox, ValueListsMapFieldTextsToStatesAndTheFirstValueIsWritten) {
    box->NullAndBlankState = cbGrayed;
    Bind("Shared", "Y;Yes", "N;No");
    struct Case {
        const char* record;
        TCheckBoxState state;
    };
    for (const Case& c : {Case{"Room A", cbChecked}, Case{"Projector", cbUnchecked}, Case{"room b", cbGrayed},
                          Case{"Van", cbChecked}, Case{"Boardroom", cbGrayed}}) {
        SCOPED_TRACE(c.record);
        Go(c.record);
        EXPECT_EQ(box->State(), c.state);
    }
    EXPECT_EQ(clicks, 0);

    Go("Room A");
    box->Toggle();
    EXPECT_TRUE(box->Modified());
    EXPECT_EQ(table.State(), dsEdit);
    table.Post();
    EXPECT_EQ(Stored("Room A").toString(), "N");
    EXPECT_FALSE(box->Modified());
    Go("Projector");
    box->Toggle();
    table.Post();
    EXPECT_EQ(Stored("Projector").toString(), "Y");

    // A Yes/No field takes the state itself.
    box->SetDataField("Active");
    EXPECT_TRUE(box->Checked());
    box->Toggle();
    table.Post();
    EXPECT_FALSE(table.FieldByName("Active").AsBoolean());
    EXPECT_FALSE(box->Checked());
}

TEST_F(CheckBox, ABoundBoxThatAllowsGrayCyclesThroughThreeStatesByClicks) {
    box->SetAllowGrayed(true);
    Bind("Shared", "Y;Yes", "N;No");
    Go("Projector");
    std::vector<QVariant> written;
    for (int i = 0; i < 3; ++i) {
        ClickAt(BoxCentre());
        table.UpdateRecord();
        written.push_back(table.FieldByName("Shared").Value());
    }
    EXPECT_EQ(written, (std::vector<QVariant>{QString("Y"), QVariant(), QString("N")}));
    EXPECT_EQ(clicks, 3);
    table.Post();
    EXPECT_EQ(Stored("Projector").toString(), "N");
}

TEST_F(CheckBox, AReadOnlyLinkRefusesClicksAndSpace) {
    Bind("Shared", "Y;Yes", "N;No");
    box->SetReadOnly(true);
    Go("Projector");
    ClickAt(BoxCentre());
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(table.State(), dsBrowse);
    EXPECT_FALSE(box->Modified());

    box->SetReadOnly(false);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(table.State(), dsEdit);
    // Esc takes the change back from the field.
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(box->Checked());
    EXPECT_FALSE(box->Modified());
}

TEST_F(CheckBox, InAGridCellOnlyTheBoxTakesTheClick) {
    const QPoint onCaption(120, 10);
    ClickAt(onCaption);
    EXPECT_TRUE(box->Checked());

    TCustomGrid grid(&form);
    grid.SetBounds(0, 40, 300, 100);
    box->setParent(&grid);
    box->SetBounds(0, 0, 200, 21);
    box->show();
    ASSERT_TRUE(IsInGrid(box));
    ClickAt(onCaption);
    EXPECT_TRUE(box->Checked());
    // Three pixels beside the box still count.
    const TRect square = box->GetButtonRect();
    ClickAt(QPoint(square.Right + 2, square.Top));
    EXPECT_FALSE(box->Checked());
    ClickAt(QPoint(square.Right + 4, square.Top));
    EXPECT_FALSE(box->Checked());
}

TEST_F(CheckBox, SetCheckBoxCheckedClicksOnlyForAChange) {
    SetCheckBoxChecked(*box, false);
    EXPECT_EQ(clicks, 0);
    SetCheckBoxChecked(*box, true);
    EXPECT_TRUE(CheckBoxChecked(*box));
    SetCheckBoxChecked(*box, true);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBox, TheDynamicCaptionFollowsTheState) {
    box->DisplayValueChecked = "Active";
    box->DisplayValueUnchecked = "Inactive";
    box->SetAllowGrayed(true);
    box->SetDynamicCaption(true);
    EXPECT_EQ(box->Caption(), "Shared with other sites");
    box->SetChecked(true);
    EXPECT_EQ(box->Caption(), "Active");
    box->SetChecked(false);
    EXPECT_EQ(box->Caption(), "Inactive");
    box->SetChecked(true);
    box->Toggle();
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(box->Caption(), "");
    // Without display values the values show.
    box->DisplayValueChecked.clear();
    box->SetChecked(true);
    EXPECT_EQ(box->Caption(), "True");
}

TEST_F(CheckBox, TheGridPaintsACopyWithTheStateAndCaptionOfTheRecordItShows) {
    TCustomGrid grid(&form);
    grid.SetBounds(0, 40, 300, 100);
    box->setParent(&grid);
    box->hide();
    box->DisplayValueChecked = "Shared";
    box->DisplayValueUnchecked = "Own";
    box->SetDynamicCaption(true);
    Bind("Shared", "Y;Yes", "N;No");

    const TRect cell{0, 0, 120, 24};
    auto paintedCell = [&](const QString& record, QString& caption) {
        Go(record);
        QImage image(120, 24, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        box->PaintCopyInto(painter, cell);
        const controls::PaintCopyScope copy(*box);
        caption = box->GetDisplayText();
        return image;
    };
    QString checkedCaption;
    QString uncheckedCaption;
    const QImage checked = paintedCell("Van", checkedCaption);
    const QImage unchecked = paintedCell("Projector", uncheckedCaption);
    EXPECT_EQ(checkedCaption, "Shared");
    EXPECT_EQ(uncheckedCaption, "Own");
    EXPECT_NE(checked, unchecked);
    // The box is drawn, not left white.
    const TRect square = box->GetButtonRect();
    int drawn = 0;
    for (int x = square.Left; x < square.Right; ++x)
        for (int y = square.Top; y < square.Bottom; ++y) drawn += unchecked.pixel(x, y) != QColor(Qt::white).rgb();
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(box->Width(), 120);
    EXPECT_FALSE(InPaintCopyState(box));
}

}  // namespace
