// Components: owners free what they own first, names, free notification and the loading scope.
#include "EngineTestClasses.h"
#include "platform/rtl/Exceptions.h"
#include "reportengine/core/LoadingScope.h"

#include <gtest/gtest.h>

#include <thread>

using reportengine::EnginePtr;
using reportengine::LoadingScope;

namespace {

TEST(EngineComponent, OwnedComponentsGoFirstWhileTheOwnerIsWholeAndMarkedGoing) {
    // A dying child tells its owner through their link; the owner's own override must still answer.
    struct Panel : TestContainer {
        using TestContainer::TestContainer;
        QStringList* out = nullptr;
        QString Kind() const override { return QStringLiteral("panel"); }
        void Notify(TppCommunicator* communicator, int operation) override {
            TestContainer::Notify(communicator, operation);
            const bool going = ComponentState() & reportengine::csDestroying;
            out->append(QStringLiteral("%1 gone, %2%3").arg(communicator->Name(), Kind(), going ? " going" : ""));
        }
    };
    QStringList log;
    auto* panel = new Panel(nullptr);
    panel->out = &log;
    for (const char* name : {"First", "Second"}) {
        auto* label = new TestLabel(panel);
        label->SetName(name);
        label->LinkNotify(panel);
    }
    panel->Free();
    EXPECT_EQ(log, (QStringList{"Second gone, panel going", "First gone, panel going"}));
}

TEST(EngineComponent, NamesAreIdentifiersUniqueWithinTheOwner) {
    EnginePtr<TestContainer> form{new TestContainer(nullptr)};
    auto* label = new TestLabel(form.get());
    label->SetName("Label1");
    auto* other = new TestLabel(form.get());
    EXPECT_THROW(other->SetName("label1"), EComponentError);
    EXPECT_THROW(other->SetName("1Label"), EComponentError);
    other->SetName("Label2");
    EXPECT_EQ(form->FindComponent("LABEL2"), other);
    label->Free();
    EXPECT_EQ(form->ComponentCount(), 1);
}

TEST(EngineComponent, FreeNotificationTellsBothWays) {
    EnginePtr<TestContainer> watcher{new TestContainer(nullptr)};
    EnginePtr<TestLabel> watched{new TestLabel(nullptr)};
    watched->SetName("Watched");
    watched->FreeNotification(watcher.get());
    watched.reset();
    EXPECT_EQ(watcher->log, QStringList{"Watched removed, owner is container"});
}

TEST(EngineComponent, ClassesAreCreatedByName) {
    reportengine::RegisterClass(TestLabel::StaticClass());
    const reportengine::EngineClass* cls = reportengine::FindClass("tpplabel");
    ASSERT_EQ(cls, &TestLabel::StaticClass());
    EnginePtr<TestContainer> form{new TestContainer(nullptr)};
    reportengine::EngineObject* made = cls->Create(form.get());
    EXPECT_EQ(made->ClassName(), "TppLabel");
    EXPECT_EQ(form->Components(0), made);
    reportengine::UnregisterClass(TestLabel::StaticClass());
    EXPECT_EQ(reportengine::FindClass("TppLabel"), nullptr);
}

TEST(EngineComponent, PublishedMethodsAndEventPropertiesBindByName) {
    EnginePtr<TestContainer> form{new TestContainer(nullptr)};
    auto* label = new TestLabel(form.get());
    label->SetName("Title");
    const reportengine::MethodInfo* method = form->ClassType().FindMethod("reportbeforeprint");
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(form->ClassType().FindMethod("Missing"), nullptr);
    // What a reader does with a handler named in a stream: bind the owner's method to the component's event.
    const reportengine::PropertyInfo* event = label->ClassType().FindProperty("OnPrint");
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->kind, reportengine::tkMethod);
    event->write(*label, QVariant::fromValue(method->bind(*form)));
    ASSERT_TRUE(label->OnPrint);
    label->OnPrint(label);
    EXPECT_EQ(form->log, QStringList{"printing Title"});
}

TEST(LoadingScope, AComponentBuiltInTheScopeIsLoadedOnceWhenItEnds) {
    EnginePtr<TestContainer> form{new TestContainer(nullptr)};
    auto* before = new TestLabel(form.get());
    TestLabel* built = nullptr;
    {
        LoadingScope scope;
        scope.Include(before);
        {
            LoadingScope inner;
            built = new TestLabel(form.get());
        }
        EXPECT_EQ(built->loadedCount, 0);
        built->SetName("ppCaption");
        EXPECT_TRUE(built->ComponentState() & reportengine::csLoading);
        EXPECT_TRUE(built->ComponentState() & reportengine::csReading);
        EXPECT_EQ(built->GetUserName(), "");
        auto* dropped = new TestLabel(form.get());
        dropped->Free();
    }
    EXPECT_EQ(built->loadedCount, 1);
    EXPECT_EQ(before->loadedCount, 1);
    EXPECT_EQ(built->ComponentState(), 0u);
    // Loaded gave the component the user name a stream would have left it.
    EXPECT_EQ(built->GetUserName(), "Caption");
    auto* after = new TestLabel(form.get());
    EXPECT_EQ(after->ComponentState(), 0u);
}

TEST(LoadingScope, AScopeLeftByAnExceptionEndsTheStatesWithoutLoaded) {
    EnginePtr<TestContainer> form{new TestContainer(nullptr)};
    TestLabel* built = nullptr;
    try {
        LoadingScope scope;
        built = new TestLabel(form.get());
        throw EComponentError("layout failed");
    } catch (const EComponentError&) {
    }
    EXPECT_EQ(built->loadedCount, 0);
    EXPECT_EQ(built->ComponentState(), 0u);
}

TEST(LoadingScope, AScopeBelongsToItsThread) {
    LoadingScope scope;
    TestLabel* onWorker = nullptr;
    std::thread worker([&] {
        EnginePtr<TestContainer> form{new TestContainer(nullptr)};
        onWorker = new TestLabel(form.get());
        EXPECT_EQ(onWorker->ComponentState(), 0u);
    });
    worker.join();
}

}  // namespace
