// The metadata of the test classes.
#include "EngineTestClasses.h"

using reportengine::ClassBuilder;
using reportengine::EngineClass;

namespace {

EngineClass& TestLabelClassInfo() {
    static EngineClass cls(QStringLiteral("TppLabel"), &TppCommunicator::StaticClass());
    return cls;
}

}  // namespace

const EngineClass& TestLabel::StaticClass() {
    static const EngineClass& cls = []() -> const EngineClass& {
        ClassBuilder<TestLabel>(TestLabelClassInfo())
            .Creatable()
            .Property(QStringLiteral("UserName"), &TestLabel::GetUserName, &TestLabel::SetUserName)
            .Property(QStringLiteral("Visible"), &TestLabel::Visible, &TestLabel::SetVisible)
            .Default(1)
            .Property(QStringLiteral("Width"), &TestLabel::Width);
        return TestLabelClassInfo();
    }();
    return cls;
}

const EngineClass& TestSubLabel::StaticClass() {
    static const EngineClass cls(QStringLiteral("TppSubLabel"), &TestLabel::StaticClass());
    return cls;
}

const EngineClass& TestContainer::StaticClass() {
    static const EngineClass cls(QStringLiteral("TppContainer"), &TppCommunicator::StaticClass());
    return cls;
}
