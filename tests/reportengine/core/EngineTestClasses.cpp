// The metadata of the test classes.
#include "EngineTestClasses.h"

using reportengine::ClassBuilder;
using reportengine::EngineClass;

namespace {

EngineClass& TestLabelClassInfo() {
    static EngineClass cls(QStringLiteral("TppLabel"), &TppCommunicator::StaticClass());
    return cls;
}

const reportengine::EnumTypeInfo& TestAlignmentType() {
    static const reportengine::EnumTypeInfo type{QStringLiteral("TppTextAlignment"),
                                                 {"taLeftJustified", "taRightJustified", "taCentered"}};
    return type;
}

}  // namespace

const EngineClass& TestLabel::StaticClass() {
    static const EngineClass& cls = []() -> const EngineClass& {
        ClassBuilder<TestLabel>(TestLabelClassInfo())
            .Creatable()
            .Property(QStringLiteral("UserName"), &TestLabel::GetUserName, &TestLabel::SetUserName)
            .Property(QStringLiteral("Visible"), &TestLabel::Visible, &TestLabel::SetVisible)
            .Default(1)
            .Property(QStringLiteral("Width"), &TestLabel::Width)
            .EnumProperty(QStringLiteral("TextAlignment"), TestAlignmentType(), &TestLabel::TextAlignment,
                          &TestLabel::SetTextAlignment)
            .Property(QStringLiteral("Price"), &TestLabel::Price, &TestLabel::SetPrice)
            .Float(reportengine::FloatKind::Currency)
            .Property(QStringLiteral("OnPrint"), &TestLabel::GetOnPrint, &TestLabel::SetOnPrint);
        return TestLabelClassInfo();
    }();
    return cls;
}

const EngineClass& TestSubLabel::StaticClass() {
    static const EngineClass cls(QStringLiteral("TppSubLabel"), &TestLabel::StaticClass());
    return cls;
}

namespace {

EngineClass& TestContainerClassInfo() {
    static EngineClass cls(QStringLiteral("TppContainer"), &TppCommunicator::StaticClass());
    return cls;
}

}  // namespace

const EngineClass& TestContainer::StaticClass() {
    static const EngineClass& cls = []() -> const EngineClass& {
        ClassBuilder<TestContainer>(TestContainerClassInfo())
            .Method(QStringLiteral("ReportBeforePrint"), &TestContainer::ReportBeforePrint);
        return TestContainerClassInfo();
    }();
    return cls;
}
