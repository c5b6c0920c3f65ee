// Communicators: two-way links, event broadcasts, user names and renames.
#include "EngineTestClasses.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

using reportengine::EnginePtr;

namespace {

struct CommunicatorFixture : ::testing::Test {
    EnginePtr<TestContainer> form{new TestContainer(nullptr)};

    TestLabel* Label(const QString& name) {
        auto* label = new TestLabel(form.get());
        label->SetName(name);
        return label;
    }
};

TEST_F(CommunicatorFixture, LinksAreTwoWayAndKeepOneEntryEachSide) {
    TestLabel* a = Label("A");
    TestLabel* b = Label("B");
    EXPECT_EQ(a->LinkNotify(b), 0);
    EXPECT_EQ(a->LinkNotify(b), 0);
    EXPECT_EQ(a->GetNotifyCount(), 1);
    EXPECT_EQ(b->GetNotifyCount(), 1);
    EXPECT_EQ(b->GetNotifyItem(0), a);

    b->UnlinkNotify(a);
    EXPECT_EQ(a->GetNotifyCount(), 0);
    EXPECT_EQ(b->GetNotifyCount(), 0);
    EXPECT_EQ(a->GetNotifyItem(0), nullptr);

    a->LinkNotify(b);
    a->UnlinkNotify(b);
    EXPECT_EQ(a->GetNotifyCount(), 0);
    EXPECT_EQ(b->GetNotifyCount(), 0);
}

TEST_F(CommunicatorFixture, FreeingOneSideTellsTheOtherWhichDropsIt) {
    TestLabel* sender = Label("Sender");
    TestLabel* listener = Label("Listener");
    listener->EventMask().set(35);
    sender->AddEventListener(listener);
    QStringList told;
    listener->OnNotify = [&](TppCommunicator*, TppCommunicator* other, int operation) {
        told.append(QStringLiteral("%1 %2").arg(other->Name()).arg(operation));
    };
    sender->Free();
    EXPECT_EQ(told, QStringList{"Sender 0"});
    EXPECT_EQ(listener->GetNotifyCount(), 0);
}

TEST_F(CommunicatorFixture, AListenerThatLeavesDuringTheEventDoesNotMakeTheNextMissIt) {
    TestLabel* sender = Label("Sender");
    TestLabel* first = Label("First");
    TestLabel* second = Label("Second");
    TestLabel* deaf = Label("Deaf");
    first->EventMask().set(35);
    second->EventMask().set(35);
    sender->AddEventListener(first);
    sender->AddEventListener(deaf);
    sender->AddEventListener(second);
    first->OnEventNotify = [&](TppCommunicator*, TppCommunicator*, int, TraParamList*) {
        sender->RemoveEventListener(first);
    };

    sender->BroadcastEvent(sender, 35, nullptr);
    EXPECT_EQ(first->received, QStringList{"First:35"});
    EXPECT_EQ(second->received, QStringList{"Second:35"});
    EXPECT_TRUE(deaf->received.isEmpty());
    EXPECT_EQ(first->GetNotifyCount(), 0);

    // A listener that frees the sender's last listener empties the list; the loop ends.
    second->OnEventNotify = [&](TppCommunicator*, TppCommunicator*, int, TraParamList*) { deaf->Free(); };
    sender->BroadcastEvent(sender, 35, nullptr);
    EXPECT_EQ(second->received.size(), 2);
}

TEST_F(CommunicatorFixture, IdsAbove255ReachNobody) {
    TestLabel* sender = Label("Sender");
    TestLabel* listener = Label("Listener");
    listener->EventMask().set();
    sender->AddEventListener(listener);
    sender->BroadcastEvent(sender, 300, nullptr);
    sender->BroadcastEvent(sender, 255, nullptr);
    EXPECT_EQ(listener->received, QStringList{"Listener:255"});
    EXPECT_FALSE(sender->HasEventListener(300));
    EXPECT_TRUE(sender->HasEventListener(255));
}

TEST_F(CommunicatorFixture, ListenersWithOrderKeysAreSortedByThem) {
    struct KeyedListener : TestLabel {
        using TestLabel::TestLabel;
        QString key;
        void GetNotifyOrderKey(QString& out) const override { out = key; }
    };
    TestLabel* sender = Label("Sender");
    auto* late = new KeyedListener(form.get());
    late->SetName("Late");
    late->key = QStringLiteral("%1").arg(20, 8);
    auto* early = new KeyedListener(form.get());
    early->SetName("Early");
    early->key = QStringLiteral("%1").arg(3, 8);
    QStringList order;
    for (TestLabel* each : {static_cast<TestLabel*>(late), static_cast<TestLabel*>(early)}) {
        each->EventMask().set(17);
        each->OnEventNotify = [&order](TppCommunicator* self, TppCommunicator*, int, TraParamList*) {
            order.append(self->Name());
        };
        sender->AddEventListener(each);
    }
    sender->BroadcastEvent(sender, 17, nullptr);
    EXPECT_EQ(order, (QStringList{"Early", "Late"}));
}

TEST_F(CommunicatorFixture, CreateUserNameTakesTheFirstFreeNumber) {
    Label("Label1");
    Label("Label3");
    auto* third = new TestLabel(form.get());
    QString name;
    third->CreateUserName(third, name);
    EXPECT_EQ(name, "Label2");
}

TEST_F(CommunicatorFixture, SetUserNameOfAnotherComponentsName) {
    TestLabel* customer = Label("Customer");
    customer->SetUserName("Customer");
    TestLabel* total = Label("Total1");
    total->SetUserName("Total1");
    TestLabel* other = Label("Other");
    // Operation 3 goes to the renamed component's links.
    TestLabel* watcher = Label("Watcher");
    int watched = 0;
    watcher->OnNotify = [&](TppCommunicator*, TppCommunicator*, int operation) { watched += operation == 3; };
    other->LinkNotify(watcher);

    other->SetUserName("Customer");
    EXPECT_EQ(other->GetUserName(), "Customer1");
    EXPECT_EQ(watched, 1);

    other->SetUserName("Total1");
    EXPECT_EQ(other->GetUserName(), "Customer1");
    EXPECT_EQ(watched, 1);

    Label("Customer2")->SetUserName("Customer2");
    TestLabel* fourth = Label("Fourth");
    fourth->SetUserName("Customer");
    EXPECT_EQ(fourth->GetUserName(), "Customer3");

    fourth->SetUserName("not valid");
    EXPECT_EQ(fourth->GetUserName(), "Customer3");
}

TEST_F(CommunicatorFixture, TheUserNameFollowsARenameOnlyWhenItWasDerivedFromTheName) {
    struct Case {
        const char* name;
        const char* userName;
        const char* renamed;
        const char* expected;
    };
    const Case cases[] = {
        {"ppLabel7", "", "ppTitle", "Title"},               // empty
        {"ppLabel8", "ppLabel8", "ppCaption", "Caption"},   // equal to the old name
        {"ppLabel9", "Label9", "ppHeading", "Heading"},     // the old name without its prefix
        {"ppLabel10", "Customer", "ppFooter", "Customer"},  // edited by hand
    };
    for (const Case& c : cases) {
        auto* label = new TestLabel(form.get());
        label->IncludeState(reportengine::csReading);
        label->SetName(c.name);
        label->ExcludeState(reportengine::csReading);
        if (*c.userName) label->SetUserName(c.userName);
        label->SetName(c.renamed);
        EXPECT_EQ(label->GetUserName(), c.expected) << c.name;
    }
}

TEST_F(CommunicatorFixture, ARenameWhileReadingLeavesTheUserNameAndSendsNoEvent) {
    TestLabel* label = Label("ppLabel1");
    TestLabel* listener = Label("Listener");
    listener->EventMask().set(111);
    label->AddEventListener(listener);
    label->IncludeState(reportengine::csReading);
    label->SetName("ppTitle");
    EXPECT_EQ(label->GetUserName(), "Label1");
    EXPECT_TRUE(listener->received.isEmpty());
    label->ExcludeState(reportengine::csReading);
    // The user name no longer matches the name it came from.
    label->SetName("ppHeading");
    EXPECT_EQ(label->GetUserName(), "Label1");
    EXPECT_EQ(listener->received, QStringList{"Listener:111"});
}

TEST_F(CommunicatorFixture, ChangeOwnerRenamesAClashingUserName) {
    EnginePtr<TestContainer> other{new TestContainer(nullptr)};
    auto* there = new TestLabel(other.get());
    there->SetName("Label1");
    there->SetUserName("Label1");
    TestLabel* moved = Label("Moving");
    moved->SetUserName("Label1");
    moved->ChangeOwner(other.get());
    EXPECT_EQ(moved->Owner(), other.get());
    EXPECT_EQ(form->FindComponent("Moving"), nullptr);
    EXPECT_EQ(moved->GetUserName(), "Label2");

    // A Name the new owner holds already is refused, and the component stays where it was.
    TestLabel* twin = Label("Moving");
    EXPECT_THROW(twin->ChangeOwner(other.get()), EComponentError);
    EXPECT_EQ(twin->Owner(), form.get());
}

TEST_F(CommunicatorFixture, AddAndRemoveDesignStateReportOnlyChanges) {
    struct Recorder : TppCommunicator {
        using TppCommunicator::TppCommunicator;
        QList<int> changes;
        void DesignStateChanged(quint16 flags) override { changes.append(flags); }
    };
    EnginePtr<Recorder> recorder{new Recorder(nullptr)};
    recorder->AddDesignState(128);
    recorder->AddDesignState(128);
    recorder->RemoveDesignState(512);
    recorder->RemoveDesignState(128 | 512);
    EXPECT_EQ(recorder->changes, (QList<int>{128, 640}));
    EXPECT_EQ(recorder->DesignState(), 0);
}

}  // namespace
