// Controls: progress panel, popup tracking, hints, menus, tool buttons, labels and the file dialogs.
#include "platform/ui/Application.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Color.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/PopupTracker.h"
#include "platform/ui/ProgressPanel.h"
#include "platform/ui/ToolBar.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMenuBar>
#include <QTest>
#include <QToolTip>
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(ProgressPanel, IsCentredOnTheFormWithTheHourglassUntilItGoes) {
    TForm form;
    form.SetClientWidth(700);
    form.SetClientHeight(451);
    {
        ui::ProgressPanel progress(&form, QStringLiteral("Opening database..."));
        TPanel* panel = progress.Panel();
        EXPECT_EQ(panel->BoundsRect(), Bounds((700 - 300) / 2, (451 - 100) / 2, 300, 100));
        EXPECT_EQ(panel->Caption(), QStringLiteral("Opening database..."));
        EXPECT_EQ(panel->parentWidget(), form.ClientArea());
        EXPECT_EQ(Screen->Cursor(), crHourGlass);
    }
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_TRUE(form.ClientArea()->findChildren<TPanel*>().isEmpty());
}

TEST(Edit, ItsColourFillsTheBoxWhetherItIsReadOnlyOrNot) {
    TForm form;
    auto* edit = new TEdit(&form);
    edit->SetBounds(8, 8, 60, 23);
    form.Show();
    for (const bool readOnly : {false, true}) {
        edit->SetReadOnly(readOnly);
        edit->SetColor(clLime);
        const QImage shown = edit->grab().toImage();
        EXPECT_EQ(shown.pixelColor(shown.rect().center()), ui::ToQColor(clLime)) << readOnly;
    }
}

TEST(PopupTracker, OutsideClickCancelsTheRegisteredPopupAndStillClicksTheTarget) {
    TForm form;
    auto* owner = new TEdit(&form);
    auto* target = new TButton(&form);
    target->SetBounds(100, 100, 80, 25);
    auto* popup = new QWidget(&form, Qt::Tool | Qt::FramelessWindowHint);
    popup->resize(100, 100);
    form.Show();
    popup->show();
    int cancels = 0;
    int clicks = 0;
    target->OnClick = [&](QObject*) { ++clicks; };
    ui::PopupTracker::Instance().Register(popup, owner, [&] {
        ++cancels;
        popup->hide();
    });

    QTest::mouseClick(popup, Qt::LeftButton);  // inside: stays open
    QTest::mouseClick(owner, Qt::LeftButton);  // its owner: stays open
    Application->ProcessMessages();
    EXPECT_EQ(cancels, 0);

    QTest::mouseClick(target, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    Application->ProcessMessages();
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(ui::PopupTracker::Instance().IsRegistered(popup));
}

TEST(Hints, ShowTheControlsTextForThePointInTheHintColour) {
    class CellHints : public TPanel {
    public:
        using TPanel::TPanel;
        QString HintAt(QPoint p) const override { return QStringLiteral("Cell %1").arg(p.x() / 10); }
    };
    TForm form;
    auto* panel = new CellHints(&form);
    panel->SetBounds(0, 0, 100, 20);
    form.Show();
    Application->SetHintColor(clYellow);
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(Qt::yellow));

    QHelpEvent quiet(QEvent::ToolTip, QPoint(35, 5), panel->mapToGlobal(QPoint(35, 5)));
    QApplication::sendEvent(panel, &quiet);
    EXPECT_FALSE(QToolTip::isVisible());  // ShowHint off (from the form)

    form.SetShowHint(true);
    QHelpEvent help(QEvent::ToolTip, QPoint(35, 5), panel->mapToGlobal(QPoint(35, 5)));
    QApplication::sendEvent(panel, &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Cell 3"));
    QToolTip::hideText();
}

TEST(Menus, ItemsAreAddedInsertedAndDeletedAndToolButtonsShareTheirAction) {
    TForm form;
    auto* menu = new TMainMenu(&form);
    EXPECT_EQ(form.Menu(), menu);
    auto* file = new TMenuItem(&form);
    file->SetCaption(QStringLiteral("&File"));
    menu->Items()->Add(file);
    std::vector<QString> names = {"&1 a.tvd", "&2 b.tvd"};
    for (const QString& name : names) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(name);
        file->Add(item);
    }
    auto* line = new TMenuItem(&form);
    line->SetCaption(QStringLiteral("-"));
    file->Insert(0, line);
    EXPECT_EQ(file->Count(), 3);
    EXPECT_TRUE(file->Items(0)->IsLine());
    EXPECT_EQ(file->Items(2)->Caption(), QStringLiteral("&2 b.tvd"));
    file->Delete(1);
    EXPECT_EQ(file->Count(), 2);
    EXPECT_EQ(file->Items(1)->Caption(), QStringLiteral("&2 b.tvd"));
    EXPECT_EQ(file->Action()->menu()->actions().size(), 2);
    EXPECT_EQ(menu->Bar()->actions().size(), 1);

    auto* open = file->Items(1);
    open->SetShortCut(ShortCut('O', {ssCtrl}));
    EXPECT_EQ(open->Action()->text(), QStringLiteral("&2 b.tvd\tCtrl+O"));
    int clicks = 0;
    open->OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, open);
        ++clicks;
    };
    auto* toolBar = new TToolBar(&form);
    auto* button = new TToolButton(toolBar);
    button->SetMenuItem(open);
    button->click();
    EXPECT_EQ(clicks, 1);
    open->SetEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    open->Click();
    EXPECT_EQ(clicks, 1);
}

TEST(Label, ShowsItsCaptionWithoutAcceleratorMarksUnlessItHasAFocusControl) {
    TForm form;
    auto* label = new TLabel(&form);
    label->SetCaption(QStringLiteral("&Name && address"));
    EXPECT_EQ(label->text(), QStringLiteral("Name & address"));
    auto* edit = new TComboBox(&form);
    label->SetFocusControl(edit);
    EXPECT_EQ(label->text(), QStringLiteral("&Name && address"));
    EXPECT_EQ(label->buddy(), edit);
}

TEST(FileDialogs, FilterAndChoiceComeBackInTheFrameworksTerms) {
    EXPECT_EQ(ui::QtNameFilters(QStringLiteral("Text files (*.txt)|*.txt|All files (*.*)|*.*|Pictures|*.jpg;*.bmp")),
              (QStringList{"Text files (*.txt) (*.txt)", "All files (*.*) (*.*)", "Pictures (*.jpg *.bmp)"}));

    ui::ScopedScriptedRunner runner;
    TSaveDialog save(nullptr);
    save.SetFilter(QStringLiteral("Text files (*.txt)|*.txt|Logs (*.txt; *.log)|*.txt;*.log|All files (*.*)|*.*"));
    save.SetDefaultExt(QStringLiteral("txt"));
    save.SetFileName(QStringLiteral("log.txt"));
    save.SetFilterIndex(2);
    const QString dir = testing_env::TempDir();
    runner->OnShown<QFileDialog>(QStringLiteral("TSaveDialog"), [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        // Each description shows as written, whatever brackets it has of its own.
        const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        QStringList shown;
        for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
        EXPECT_EQ(shown, (QStringList{"Text files (*.txt)", "Logs (*.txt; *.log)", "All files (*.*)"}));
        EXPECT_EQ(types->currentIndex(), 1);
        dialog.setDirectory(dir);
        dialog.selectFile(QStringLiteral("report"));
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), QDir(dir).filePath(QStringLiteral("report.txt")));
    EXPECT_EQ(save.FilterIndex(), 2);

    runner->Answer(QStringLiteral("TSaveDialog"), mrCancel);
    EXPECT_FALSE(save.Execute());
}

TEST(StatusBar, SitsAtTheBottomWithPanelsOrASimpleText) {
    TForm form;
    form.SetClientWidth(400);
    form.SetClientHeight(300);
    auto* bar = new TStatusBar(&form);
    bar->AddPanel(100);
    bar->AddPanel(50);
    bar->SetPanelText(1, QStringLiteral("Found 3 records"));
    EXPECT_EQ(bar->Top() + bar->Height(), 300);
    EXPECT_EQ(bar->Width(), 400);
    EXPECT_EQ(bar->PanelText(1), QStringLiteral("Found 3 records"));
}

TEST(Memo, LinesEndWithTheLastLineBreak) {
    TMemo memo(nullptr);
    const std::vector<std::pair<QString, QStringList>> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\n\nb", {"a", "", "b"}},
        {"\n", {""}},
        // A line longer than the box holds in one paragraph.
        {QString(3000, u'x') + "\nb", {QString(3000, u'x'), "b"}}};
    for (const auto& [text, lines] : cases) {
        memo.SetText(text);
        EXPECT_EQ(memo.Lines().ToStringList(), lines) << text.toStdString();
    }
    memo.Lines().SetStrings({"x", "y"});
    memo.Lines().Add(QStringLiteral("z"));
    memo.Lines().Delete(0);
    EXPECT_EQ(memo.Text(), QStringLiteral("y\nz"));
    EXPECT_THROW(memo.Lines().Get(2), EStringListError);
    for (const QStringList& lines : {QStringList{"a", ""}, QStringList{""}, QStringList{"", "b", "", ""}}) {
        memo.Lines().SetStrings(lines);
        EXPECT_EQ(memo.Lines().ToStringList(), lines);
    }
    memo.Lines().SetStrings({"a"});
    memo.Lines().Add(QString());
    EXPECT_EQ(memo.Lines().Count(), 2);
}

TEST(ComboBox, ItemsAddedChooseNothingAndSortedItemsKeepTheirObjects) {
    TComboBox combo(nullptr);
    combo.SetStyle(csDropDownList);
    int room = 1, van = 2, desk = 3;
    combo.Items().AddObject(QStringLiteral("van"), &van);
    combo.Items().AddObject(QStringLiteral("Room"), &room);
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetSorted(true);
    EXPECT_EQ(combo.Items().ToStringList(), (QStringList{"Room", "van"}));
    EXPECT_EQ(combo.Items().Objects(0), &room);
    EXPECT_EQ(combo.Items().AddObject(QStringLiteral("desk"), &desk), 0);
    EXPECT_EQ(combo.Items().IndexOfObject(&van), 2);
    EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST(ListBox, ItemsAreAStringList) {
    TListBox list(nullptr);
    list.Items().SetCommaText(QStringLiteral("a,\"b c\",d"));
    list.Items().Insert(1, QStringLiteral("x"));
    list.Items().Delete(0);
    EXPECT_EQ(list.Items().ToStringList(), (QStringList{"x", "b c", "d"}));
    EXPECT_EQ(list.Count(), 3);
}
