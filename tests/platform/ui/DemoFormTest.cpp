// A small demo window of the basic controls; under a real display it can save a screenshot of itself.
// Run under Xvfb:  TAVORIN_UI_SCREENSHOT=/tmp/ui-demo.png QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 800x600x24"
//                  build/tests/platform/ui/test_platform_ui --gtest_filter=DemoForm.*
#include "platform/ui/Application.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ToolBar.h"

#include <gtest/gtest.h>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

namespace {

TMenuItem* AddItem(TMenuItem* parent, const QString& caption, TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(parent);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    parent->Add(item);
    return item;
}

template <class T>
T* Place(T* control, int left, int top, int width, int height) {
    control->SetBounds(left, top, width, height);
    return control;
}

void BuildDemo(TForm& form) {
    form.SetCaption(QStringLiteral("Tavorin controls"));
    form.SetClientWidth(560);
    form.SetClientHeight(400);
    auto* menu = new TMainMenu(&form);
    TMenuItem* file = AddItem(menu->Items(), QStringLiteral("&File"));
    TMenuItem* open = AddItem(file, QStringLiteral("&Open..."), ShortCut('O', {ssCtrl}));
    AddItem(file, QStringLiteral("-"));
    AddItem(file, QStringLiteral("E&xit"));
    AddItem(menu->Items(), QStringLiteral("&Help"));
    auto* toolBar = new TToolBar(&form);
    toolBar->SetShowCaptions(true);
    (new TToolButton(toolBar))->SetMenuItem(open);
    auto* status = new TStatusBar(&form);
    status->AddPanel(200);
    status->AddPanel(100);
    status->SetPanelText(0, QStringLiteral("Found 12 records"));

    auto* nameLabel = Place(new TLabel(&form), 10, 40, 80, 16);
    auto* name = Place(new TEdit(&form), 100, 38, 170, 22);
    name->SetText(QStringLiteral("Meeting room 2"));
    nameLabel->SetCaption(QStringLiteral("&Name:"));
    nameLabel->SetFocusControl(name);
    Place(new TLabel(&form), 10, 70, 80, 16)->SetCaption(QStringLiteral("Password:"));
    auto* password = Place(new TEdit(&form), 100, 68, 170, 22);
    password->SetPasswordChar(QLatin1Char('*'));
    password->SetText(QStringLiteral("secret"));
    auto* memo = Place(new TMemo(&form), 10, 100, 260, 70);
    memo->SetScrollBars(ssVertical);
    memo->Lines().SetStrings(
        {QStringLiteral("The database specified must be upgraded."), QStringLiteral("Upgrade Now?")});
    auto* group = Place(new TGroupBox(&form), 10, 178, 260, 80);
    group->SetCaption(QStringLiteral("Display"));
    Place(new TRadioButton(group), 10, 20, 120, 20)->SetCaption(QStringLiteral("12 hour"));
    Place(new TRadioButton(group), 10, 45, 120, 20)->SetCaption(QStringLiteral("24 hour"));
    Place(new TCheckBox(group), 130, 20, 120, 20)->SetChecked(true);
    group->findChildren<TCheckBox*>().front()->SetCaption(QStringLiteral("Show tasks"));
    auto* combo = Place(new TComboBox(&form), 10, 266, 260, 24);
    combo->SetStyle(csDropDownList);
    combo->Items().SetStrings({QStringLiteral("Day view"), QStringLiteral("Week view"), QStringLiteral("Month view")});
    combo->SetItemIndex(1);
    auto* progress = Place(new TProgressBar(&form), 10, 298, 260, 18);
    progress->SetPosition(60);

    auto* pages = Place(new TPageControl(&form), 285, 38, 265, 230);
    auto* resources = new TTabSheet(pages);
    resources->SetCaption(QStringLiteral("Resources"));
    auto* list = Place(new TListBox(resources), 5, 5, 250, 90);
    list->Items().SetStrings({QStringLiteral("Projector"), QStringLiteral("Meeting room 1"), QStringLiteral("Van")});
    list->SetItemIndex(1);
    auto* picture = Place(new TImage(resources), 5, 100, 250, 95);
    TBitmap& bitmap = picture->Picture().Bitmap();
    bitmap.SetSize(250, 95);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().Color = clInfoBk;
    canvas.FillRect(Rect(0, 0, 250, 95));
    canvas.Brush().Color = clSkyBlue;
    canvas.Pen().Color = clNavy;
    canvas.Rectangle(10, 10, 120, 50);
    canvas.Brush().Color = clMoneyGreen;
    canvas.Ellipse(140, 10, 240, 60);
    canvas.Brush().Style = bsClear;
    canvas.Font().SetStyle({fsBold});
    canvas.TextRect(Rect(10, 62, 240, 90), 12, 66, QStringLiteral("TCanvas over QPainter"));
    picture->Invalidate();
    (new TTabSheet(pages))->SetCaption(QStringLiteral("Tasks"));

    auto* ok = Place(new TButton(&form), 370, 320, 85, 27);
    ok->SetCaption(QStringLiteral("Ok"));
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = Place(new TButton(&form), 465, 320, 85, 27);
    cancel->SetCaption(QStringLiteral("Cancel"));
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
}

}  // namespace

TEST(DemoForm, ShowsRealWidgets) {
    TForm form;
    BuildDemo(form);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(560, 400 + form.Menu()->Bar()->sizeHint().height()));
    const QString path = qEnvironmentVariable("TAVORIN_UI_SCREENSHOT");
    if (path.isEmpty()) return;
    QTest::qWait(200);
    // The screen's own pixels: what the display server shows, not a rendering of ours.
    const QPixmap screen = form.screen()->grabWindow(0);
    ASSERT_TRUE(screen.save(path));
}
