// Relatives: ordered children, positions restored after reading, moves, freeing and taking children over.
#include "EngineTestClasses.h"
#include "reportengine/core/LoadingScope.h"
#include "reportengine/core/ppRelatv.h"

#include <gtest/gtest.h>

using reportengine::EnginePtr;

namespace {

// A field-like relative: it publishes Position and records how it goes.
class TestField : public TppRelative {
    REPORTENGINE_CLASS(TestField)
public:
    explicit TestField(reportengine::EngineComponent* owner, bool ordered = false) : TppRelative(owner) {
        SetOrderedChildren(ordered);
    }
    QStringList* freed = nullptr;
    TppRelative* watchedParent = nullptr;

protected:
    void Dismantle() override {
        if (freed)
            freed->append(QStringLiteral("%1%2").arg(Name(), watchedParent && watchedParent->FreeingChildren()
                                                                 ? QStringLiteral(" while freeing")
                                                                 : QString()));
        TppRelative::Dismantle();
    }
};

const reportengine::EngineClass& TestField::StaticClass() {
    static const reportengine::EngineClass cls(QStringLiteral("TppField"), &TppRelative::StaticClass());
    return cls;
}

struct RelativeFixture : ::testing::Test {
    EnginePtr<TestContainer> form{new TestContainer(nullptr)};

    TestField* Field(const QString& name, TppRelative* parent) {
        auto* field = new TestField(form.get());
        field->SetName(name);
        field->SetParent(parent);
        return field;
    }
    static QStringList Order(const TppRelative* parent) {
        QStringList names;
        for (int i = 0; i < parent->GetChildCount(); ++i) names.append(parent->GetChild(i)->Name());
        return names;
    }
};

TEST_F(RelativeFixture, FieldsReadWithStoredPositionsEndInPositionOrder) {
    auto* pipeline = new TestField(form.get(), true);
    {
        reportengine::LoadingScope scope;
        scope.Include(pipeline);
        const std::pair<const char*, int> read[] = {{"Two", 2}, {"Zero", 0}, {"One", 1}, {"Lost", 7}};
        for (const auto& [name, position] : read) Field(name, pipeline)->SetPosition(position);
        EXPECT_EQ(Order(pipeline), (QStringList{"Two", "Zero", "One", "Lost"}));
    }
    // The field with position 7 names no slot and keeps its place among the others.
    EXPECT_EQ(Order(pipeline), (QStringList{"Zero", "One", "Two", "Lost"}));
    EXPECT_EQ(pipeline->GetChild(2)->GetPosition(), 2);
}

TEST_F(RelativeFixture, MoveToIsClampedToTheChildren) {
    auto* parent = new TestField(form.get());
    for (const char* name : {"A", "B", "C", "D"}) Field(name, parent);
    parent->GetChild(2)->MoveTo(-5);
    EXPECT_EQ(Order(parent), (QStringList{"C", "A", "B", "D"}));
    parent->GetChild(0)->MoveTo(99);
    EXPECT_EQ(Order(parent), (QStringList{"A", "B", "D", "C"}));
    parent->GetChild(1)->SetPosition(2);
    EXPECT_EQ(Order(parent), (QStringList{"A", "D", "B", "C"}));
    // Setting the same parent again moves to the end.
    parent->GetChild(0)->SetParent(parent);
    EXPECT_EQ(Order(parent), (QStringList{"D", "B", "C", "A"}));
    auto* orphan = new TestField(form.get());
    orphan->MoveTo(3);
    EXPECT_EQ(orphan->GetPosition(), -1);
}

TEST_F(RelativeFixture, FreeingAParentFreesItsChildrenLastFirstWhileFreeingChildren) {
    QStringList freed;
    auto* parent = new TestField(form.get());
    for (const char* name : {"First", "Second", "Third"}) {
        TestField* child = Field(name, parent);
        child->freed = &freed;
        child->watchedParent = parent;
    }
    parent->Free();
    EXPECT_EQ(freed, (QStringList{"Third while freeing", "Second while freeing", "First while freeing"}));
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST_F(RelativeFixture, AFreedChildLeavesItsParent) {
    auto* parent = new TestField(form.get());
    Field("A", parent);
    Field("B", parent)->Free();
    EXPECT_EQ(Order(parent), QStringList{"A"});
}

TEST_F(RelativeFixture, PropertyChangeTravelsUpToTheRoot) {
    struct Root : TestField {
        using TestField::TestField;
        int changes = 0;
        void PropertyChanged() override { ++changes; }
    };
    auto* root = new Root(form.get());
    TestField* band = Field("Band", root);
    Field("Label", band)->PropertyChange();
    EXPECT_EQ(root->changes, 1);
}

TEST_F(RelativeFixture, TakeChildrenFromMovesChildrenAndTheirOwner) {
    EnginePtr<TestContainer> otherForm{new TestContainer(nullptr)};
    auto* grand = new TestField(form.get());
    auto* source = new TestField(form.get(), true);
    source->SetParent(grand);
    Field("Kept", source);
    Field("Moved", source);
    auto* target = new TestField(otherForm.get());
    auto* old = new TestField(otherForm.get());
    old->SetParent(target);

    target->TakeChildrenFrom(source);
    EXPECT_EQ(Order(target), (QStringList{"Kept", "Moved"}));
    EXPECT_EQ(source->GetChildCount(), 0);
    EXPECT_TRUE(target->OrderedChildren());
    EXPECT_EQ(target->Parent(), grand);
    EXPECT_EQ(target->GetChild(0)->Owner(), otherForm.get());
    EXPECT_EQ(otherForm->FindComponent("Moved"), target->GetChild(1));
    EXPECT_EQ(otherForm->ComponentCount(), 3);  // the old child was freed
}

TEST_F(RelativeFixture, TheDescriptionReachesTreePropertiesByName) {
    auto* parent = new TestField(form.get());
    Field("A", parent);
    TestField* b = Field("B", parent);
    const TraRTTI* description = TraRTTIClassRegistry::FindRTTIClass(b->ClassType());
    ASSERT_EQ(description, &TraTppRelativeRTTI::Instance());
    QVariant value;
    ASSERT_TRUE(description->GetPropValue(b, "Index", value));
    EXPECT_EQ(value.toInt(), 1);
    EXPECT_TRUE(description->SetPropValue(b, "Position", 0));
    EXPECT_EQ(Order(parent), (QStringList{"B", "A"}));
    EXPECT_FALSE(description->SetPropValue(b, "ChildCount", 4));
    // Writing ChildType moves the relative to the end of its parent's children.
    EXPECT_TRUE(description->SetPropValue(b, "ChildType", 3));
    EXPECT_EQ(Order(parent), (QStringList{"A", "B"}));
    EXPECT_EQ(b->ChildType(), 3);
    TraPropRec rec;
    ASSERT_TRUE(description->GetPropRec(b->ClassType(), "FreeingChildren", rec));
    EXPECT_EQ(rec.DataType, reportengine::DataCode::Boolean);
    EXPECT_TRUE(rec.ReadOnly);
}

}  // namespace
