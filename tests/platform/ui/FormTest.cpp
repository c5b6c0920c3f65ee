// Forms: every close passes the close query, modal results, and scripted (also nested) modal runs.
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Form.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/QtMessageService.h"

#include <gtest/gtest.h>
#include <QMessageBox>
#include <QTest>

namespace {

// A dialog with OK and Cancel buttons whose close query is decided by the test.
struct OkCancelForm {
    OkCancelForm() {
        form.SetName(QStringLiteral("OkCancelForm"));
        ok->SetModalResult(mrOk);
        ok->SetDefault(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetCancel(true);
        form.OnCloseQuery = [this](QObject*, bool& canClose) {
            ++queries;
            canClose = allowClose(form.ModalResult());
        };
    }
    TForm form;
    TButton* ok = new TButton(&form);
    TButton* cancel = new TButton(&form);
    int queries = 0;
    std::function<bool(int)> allowClose = [](int) { return true; };
};

}  // namespace

TEST(Form, OkWithRefusingCloseQueryStaysOpenAndCancelCloses) {
    ui::ScopedScriptedRunner runner;
    OkCancelForm f;
    f.allowClose = [](int result) { return result != mrOk; };
    bool openAfterOk = false;
    runner->OnShown<TForm>(QStringLiteral("OkCancelForm"), [&](TForm& form) {
        f.ok->click();
        Application->ProcessMessages();
        openAfterOk = form.isVisible() && form.ModalResult() == mrNone;
        f.cancel->click();
    });
    EXPECT_EQ(f.form.ShowModal(), mrCancel);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(f.queries, 2);
    EXPECT_FALSE(f.form.isVisible());
}

TEST(Form, EveryCloseRouteOfAModalFormPassesTheCloseQuery) {
    const std::vector<std::pair<const char*, std::function<void(OkCancelForm&)>>> routes = {
        {"Close()", [](OkCancelForm& f) { f.form.Close(); }},
        {"close box", [](OkCancelForm& f) { f.form.close(); }},
        {"Esc", [](OkCancelForm& f) { QTest::keyClick(&f.form, Qt::Key_Escape); }},
        {"Alt+F4", [](OkCancelForm& f) { QTest::keyClick(&f.form, Qt::Key_F4, Qt::AltModifier); }},
        {"Cancel button", [](OkCancelForm& f) { f.cancel->click(); }},
    };
    for (const auto& [name, route] : routes) {
        SCOPED_TRACE(name);
        ui::ScopedScriptedRunner runner;
        OkCancelForm f;
        f.allowClose = [&f](int) { return f.queries > 1; };  // refuses the first time
        bool openAfterRefusal = false;
        runner->OnShown<TForm>(QStringLiteral("OkCancelForm"), [&](TForm& form) {
            route(f);
            Application->ProcessMessages();
            openAfterRefusal = form.isVisible();
            route(f);
        });
        EXPECT_EQ(f.form.ShowModal(), mrCancel);
        EXPECT_TRUE(openAfterRefusal);
        EXPECT_EQ(f.queries, 2);
    }
}

TEST(Form, NonModalCloseBoxAsksAndOnCloseMayKeepTheForm) {
    TForm form;
    int queries = 0;
    TCloseAction action = caNone;
    form.OnCloseQuery = [&](QObject*, bool&) { ++queries; };
    form.OnClose = [&](QObject*, TCloseAction& a) { a = action; };
    form.Show();
    form.close();
    EXPECT_TRUE(form.isVisible());
    action = caHide;
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(queries, 2);
}

TEST(Form, EnterClicksTheDefaultButton) {
    ui::ScopedScriptedRunner runner;
    OkCancelForm f;
    runner->OnShown<TForm>(QStringLiteral("OkCancelForm"),
                           [&](TForm& form) { QTest::keyClick(&form, Qt::Key_Return); });
    EXPECT_EQ(f.form.ShowModal(), mrOk);
}

TEST(ModalRunner, ScriptsANestedModalRun) {
    ui::ScopedScriptedRunner runner;
    TForm outer;
    outer.SetName(QStringLiteral("Outer"));
    TForm inner(&outer);
    inner.SetName(QStringLiteral("Inner"));
    auto* innerOk = new TButton(&inner);
    innerOk->SetModalResult(mrOk);
    auto* open = new TButton(&outer);
    std::vector<int> innerResults;
    open->OnClick = [&](QObject*) {
        innerResults.push_back(inner.ShowModal());
        innerResults.push_back(inner.ShowModal());
        outer.SetModalResult(mrYes);
    };
    bool innerShown = false;
    runner->OnShown<TForm>(QStringLiteral("Outer"), [&](TForm&) { open->click(); });
    runner->OnShown<TForm>(QStringLiteral("Inner"), [&](TForm& form) {
        innerShown = form.isVisible() && outer.isVisible();
        innerOk->click();
    });
    runner->Answer(QStringLiteral("Inner"), mrNo);

    EXPECT_EQ(outer.ShowModal(), mrYes);
    EXPECT_TRUE(innerShown);
    EXPECT_EQ(innerResults, (std::vector<int>{mrOk, mrNo}));
    EXPECT_EQ(runner->Runs(), (std::vector<QString>{"Outer", "Inner", "Inner"}));
    EXPECT_EQ(runner->PendingCount(), 0);
}

TEST(ModalRunner, AnsweredFormIsNotShownAndUnscriptedRunIsCancelled) {
    ui::ScopedScriptedRunner runner;
    TForm form;
    form.SetName(QStringLiteral("Quiet"));
    int shows = 0;
    form.OnShow = [&](QObject*) { ++shows; };
    runner->Answer(QStringLiteral("Quiet"), mrNext);
    EXPECT_EQ(form.ShowModal(), mrNext);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(shows, 0);
    EXPECT_EQ(runner->UnansweredCount(), 1);
}

TEST(ModalRunner, ActionThatLeavesTheFormOpenEndsItsRun) {
    ui::ScopedScriptedRunner runner;
    TForm form;
    form.SetName(QStringLiteral("Left"));
    runner->OnShown<TForm>(QStringLiteral("Left"), [](TForm&) {});
    EXPECT_EQ(form.ShowModal(), mrNone);
    EXPECT_FALSE(form.isVisible());
}

TEST(ModalRunner, WindowedMessageServiceRunsThroughTheRunner) {
    ui::ScopedScriptedRunner runner;
    rtl::SetMessageService(std::make_shared<ui::QtMessageService>());
    QString shownText;
    runner->OnShown<QMessageBox>(QStringLiteral("MessageDlg"), [&](QMessageBox& box) {
        shownText = box.text();
        for (QAbstractButton* b : box.buttons())
            if (b->text() == QStringLiteral("&No")) b->click();
    });
    runner->Answer(QStringLiteral("MessageBox"), IDRETRY);
    EXPECT_EQ(MessageDlg(QStringLiteral("Delete?"), mtConfirmation, {mbYes, mbNo}), mrNo);
    EXPECT_EQ(shownText, QStringLiteral("Delete?"));
    EXPECT_EQ(MessageBox(QStringLiteral("Again?"), QStringLiteral("Log"), MB_RETRYCANCEL), IDRETRY);
}

TEST(Events, AHandlerMayDetachOrReplaceItselfWhileItRuns) {
    TForm form;
    auto* button = new TButton(&form);
    std::vector<std::string> calls;
    button->OnClick = [&](QObject*) {
        calls.push_back("first");
        button->OnClick = [&](QObject*) { calls.push_back("second"); };
    };
    button->Click();
    button->Click();
    button->OnClick = [&](QObject*) {
        calls.push_back("last");
        button->OnClick = nullptr;
    };
    button->Click();
    button->Click();
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second", "last"}));
}

TEST(Form, SplashStyleWindowIsCentredBorderlessAndOnTop) {
    TForm splash;
    splash.SetBorderStyle(bsNone);
    splash.SetFormStyle(fsStayOnTop);
    splash.SetPosition(poScreenCenter);
    splash.SetClientWidth(450);
    splash.SetClientHeight(300);
    splash.Show();
    const TRect area = Screen->WorkAreaRect();
    EXPECT_EQ(splash.Left(), area.Left + (area.Width() - 450) / 2);
    EXPECT_EQ(splash.Top(), area.Top + (area.Height() - 300) / 2);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    splash.SetBounds(10, 20, 300, 200);
    EXPECT_EQ(splash.BoundsRect(), Bounds(10, 20, 300, 200));
}

TEST(Form, BoundsOfAShownWindowReadBackAsSet) {
    TForm form(nullptr);
    form.Show();
    form.SetBounds(20, 30, 300, 200);
    const TRect r = form.BoundsRect();
    EXPECT_EQ(std::make_tuple(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), std::make_tuple(20, 30, 300, 200));
    EXPECT_EQ(std::make_tuple(form.Left(), form.Top()), std::make_tuple(20, 30));
    form.Hide();
}

TEST(Form, DialogBorderOffersOnlyTheSystemMenuAndTheCloseBox) {
    TForm form;
    form.SetBorderStyle(bsDialog);
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}
