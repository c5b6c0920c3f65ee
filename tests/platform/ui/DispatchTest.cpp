// Exceptions raised in handlers reached through the event loop end at the application's exception handling,
// and the program goes on handling events.
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QTest>
#include <functional>
#include <stdexcept>

namespace {

// A shown form with a button whose first click runs raise; every click is counted.
struct RaisingButton {
    explicit RaisingButton(std::function<void()> raise) : raise_(std::move(raise)) {
        button->OnClick = [this](QObject*) {
            if (++clicks == 1) raise_();
        };
        form.Show();
    }
    void Click() { QTest::mouseClick(button, Qt::LeftButton); }

    TForm form{nullptr};
    TButton* button = new TButton(&form);
    int clicks = 0;

private:
    std::function<void()> raise_;
};

}  // namespace

TEST(Dispatch, RaisingClickShowsItsMessageAsAnErrorAndLaterClicksStillRun) {
    const struct {
        std::function<void()> raise;
        QString shown;
    } cases[] = {
        {[] { DatabaseError(QStringLiteral("Table is read-only")); }, QStringLiteral("Table is read-only.")},
        {[] { throw EConvertError(QStringLiteral("'x' is not a valid date.")); },
         QStringLiteral("'x' is not a valid date.")},
        {[] { throw std::runtime_error("disk full"); }, QStringLiteral("disk full.")},
        {[] { throw 42; }, QStringLiteral("An unexpected error occurred.")},
    };
    for (const auto& c : cases) {
        testing_env::Messages().Clear();
        RaisingButton subject(c.raise);
        subject.Click();
        subject.Click();
        EXPECT_EQ(subject.clicks, 2) << c.shown.toStdString();
        ASSERT_EQ(testing_env::Messages().Texts(), std::vector<QString>{c.shown});
        const rtl::MessageRequest& shown = testing_env::Messages().Requests().front();
        EXPECT_EQ(shown.kind, rtl::MessageRequest::Kind::Box);
        EXPECT_EQ(shown.flags, MB_OK | MB_ICONSTOP);
        EXPECT_EQ(shown.caption, Application->Title());
    }
}

TEST(Dispatch, AbortShowsNothing) {
    RaisingButton subject([] { Abort(); });
    subject.Click();
    subject.Click();
    EXPECT_EQ(subject.clicks, 2);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

TEST(Dispatch, OnExceptionReplacesTheShownMessageAndAbortDoesNotReachIt) {
    std::vector<std::pair<QObject*, QString>> handled;
    Application->OnException = [&](QObject* sender, Exception& e) { handled.emplace_back(sender, e.Message()); };
    RaisingButton raising([] { DatabaseError(QStringLiteral("Key violation")); });
    raising.Click();
    RaisingButton aborting([] { Abort(); });
    aborting.Click();
    EXPECT_EQ(handled, (std::vector<std::pair<QObject*, QString>>{{raising.button, QStringLiteral("Key violation")}}));
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

TEST(Dispatch, DirectCallsStillSeeTheException) {
    RaisingButton subject([] { DatabaseError(QStringLiteral("Table is read-only")); });
    EXPECT_THROW(subject.button->Click(), EDatabaseError);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

TEST(Dispatch, RaisingTimerTickShowsItsMessageAndTheTimerGoesOn) {
    TTimer timer(nullptr);
    timer.SetInterval(5);
    int ticks = 0;
    timer.SetOnTimer([&](QObject*) {
        if (++ticks == 1) DatabaseError(QStringLiteral("Lost the connection"));
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{QStringLiteral("Lost the connection.")});
}

TEST(Dispatch, RaisingKeyHandlerShowsItsMessageAndTheNextKeyIsTyped) {
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->OnKeyDown = [](QObject*, Word& key, TShiftState) {
        if (key == 'A') throw EConvertError(QStringLiteral("No letter A here"));
    };
    form.Show();
    edit->SetFocus();
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_B);
    EXPECT_TRUE(edit->text().endsWith(u'b')) << edit->text().toStdString();
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{QStringLiteral("No letter A here.")});
}

TEST(Dispatch, ExceptionEscapingAnEventDeliveryIsHandledByTheApplicationObject) {
    // A widget of Qt's own whose event handling raises outside any dispatch of ours.
    struct RaisingWidget : QWidget {
        int delivered = 0;
        bool event(QEvent* e) override {
            if (e->type() != QEvent::User) return QWidget::event(e);
            if (++delivered == 1) throw EInvalidOperation(QStringLiteral("Not now"));
            return true;
        }
    } widget;
    QCoreApplication::postEvent(&widget, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&widget, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&widget, QEvent::User);
    EXPECT_EQ(widget.delivered, 2);
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{QStringLiteral("Not now.")});
}
