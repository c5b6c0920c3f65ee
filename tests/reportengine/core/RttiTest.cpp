// Run-time descriptions: lookup by class, records from the published properties, values by name, parameter
// lists and the enumeration registry.
#include "EngineTestClasses.h"
#include "platform/rtl/FloatFormat.h"
#include "reportengine/core/ppTypes.h"

#include <gtest/gtest.h>

using reportengine::DataCode;
using reportengine::EnginePersistent;
using reportengine::EnginePtr;

namespace {

TEST(RttiRegistry, FindsTheNearestDescribedAncestor) {
    EXPECT_EQ(TraRTTIClassRegistry::FindRTTIClass(TppCommunicator::StaticClass()), &TraTppCommunicatorRTTI::Instance());
    // Neither label class has a description of its own.
    EXPECT_EQ(TraRTTIClassRegistry::FindRTTIClass(TestSubLabel::StaticClass()), &TraTppCommunicatorRTTI::Instance());
    EXPECT_EQ(TraRTTIClassRegistry::FindRTTIClass(EnginePersistent::StaticClass()), &TraTObjectRTTI::Instance());
    EXPECT_EQ(TraRTTIClassRegistry::FindRTTIClass(reportengine::EngineComponent::StaticClass()),
              &TraTComponentRTTI::Instance());
}

TEST(RttiRegistry, TheFirstRegistrationForAClassWins) {
    struct OtherCommunicatorRTTI : TraDescription<OtherCommunicatorRTTI, TraTComponentRTTI> {
        const reportengine::EngineClass& GetRefClass() const override { return TppCommunicator::StaticClass(); }
    };
    RegisterRTTI(OtherCommunicatorRTTI::Instance());
    EXPECT_EQ(TraRTTIClassRegistry::FindRTTIClass(TppCommunicator::StaticClass()), &TraTppCommunicatorRTTI::Instance());
    UnregisterRTTI(OtherCommunicatorRTTI::Instance());
    EXPECT_EQ(TraRTTIClassRegistry::FindRTTIClass(TppCommunicator::StaticClass()), &TraTppCommunicatorRTTI::Instance());
}

TEST(RttiRecords, ABooleanPropertyIsCode11NamedBoolean) {
    const TraRTTI& description = TraTppCommunicatorRTTI::Instance();
    TraPropRec rec;
    ASSERT_TRUE(description.GetPropRec(TestLabel::StaticClass(), "visible", rec));
    EXPECT_EQ(rec.Name, "Visible");
    EXPECT_EQ(static_cast<int>(rec.DataType), 11);
    EXPECT_EQ(rec.TypeName, "Boolean");
    EXPECT_FALSE(rec.ReadOnly);
    EXPECT_TRUE(rec.IsFromTypeInfo);
    EXPECT_EQ(rec.EventID, -1);

    ASSERT_TRUE(description.GetPropRec(TestLabel::StaticClass(), "Width", rec));
    EXPECT_EQ(rec.DataType, DataCode::Integer);
    EXPECT_TRUE(rec.ReadOnly);
    EXPECT_FALSE(description.GetPropRec(TestLabel::StaticClass(), "Height", rec));

    EnginePtr<TestLabel> label{new TestLabel(nullptr)};
    EXPECT_EQ(description.GetPropValueText(label.get(), "Visible"), "True");
    EXPECT_TRUE(description.SetPropValue(label.get(), "Visible", false));
    EXPECT_FALSE(label->Visible());
    EXPECT_EQ(description.GetPropValueText(label.get(), "Visible"), "False");
    EXPECT_FALSE(description.SetPropValue(label.get(), "Width", 5));
    EXPECT_EQ(description.GetPropValueText(label.get(), "Missing"), "");
}

TEST(RttiRecords, EnumeratedAndCurrencyValuesByName) {
    const TraRTTI& description = TraTppCommunicatorRTTI::Instance();
    EnginePtr<TestLabel> label{new TestLabel(nullptr)};
    TraPropRec rec;
    ASSERT_TRUE(description.GetPropRec(TestLabel::StaticClass(), "TextAlignment", rec));
    EXPECT_EQ(rec.DataType, DataCode::Enumerated);
    EXPECT_EQ(rec.TypeName, "TppTextAlignment");
    EXPECT_TRUE(description.SetPropValue(label.get(), "TextAlignment", 2));
    EXPECT_EQ(label->TextAlignment(), TestLabel::taCentered);
    EXPECT_EQ(description.GetPropValueText(label.get(), "TextAlignment"), "taCentered");

    ASSERT_TRUE(description.GetPropRec(TestLabel::StaticClass(), "Price", rec));
    EXPECT_EQ(rec.DataType, DataCode::Currency);
    EXPECT_TRUE(description.SetPropValue(label.get(), "Price", qint64(15000)));
    EXPECT_DOUBLE_EQ(label->Price(), 1.5);
    QVariant scaled;
    ASSERT_TRUE(description.GetPropValue(label.get(), "Price", scaled));
    EXPECT_EQ(scaled.toLongLong(), 15000);
    EXPECT_EQ(description.GetPropValueText(label.get(), "Price"), FloatToStrF(1.5, ffCurrency, 15, 2));

    // Events are no values.
    EXPECT_FALSE(description.GetPropRec(TestLabel::StaticClass(), "OnPrint", rec));
    EXPECT_EQ(description.GetPropValueText(label.get(), "OnPrint"), "");
}

TEST(RttiRecords, NameListsAndTheBaseDescriptionsNames) {
    QStringList names;
    TraTppCommunicatorRTTI::Instance().GetPropList(TestLabel::StaticClass(), names);
    EXPECT_EQ(names, (QStringList{"Name", "Price", "Tag", "TextAlignment", "UserName", "Visible", "Width", "ClassName",
                                  "Create", "Free", "Assign", "Owner"}));
    QStringList events;
    TraTppCommunicatorRTTI::Instance().GetEventList(TestLabel::StaticClass(), events);
    EXPECT_EQ(events, QStringList{"OnPrint"});

    TraPropRec rec;
    const TraRTTI& description = TraTComponentRTTI::Instance();
    ASSERT_TRUE(description.GetPropRec(TestLabel::StaticClass(), "Create", rec));
    EXPECT_TRUE(rec.IsConstructor);
    ASSERT_TRUE(rec.Params);
    ASSERT_EQ(rec.Params->Count(), 3);
    EXPECT_EQ(rec.Params->Strings(0), "Owner");
    EXPECT_EQ(rec.Params->Strings(1), "Class");
    EXPECT_EQ(rec.Params->Strings(2), "Result");
    EXPECT_EQ(rec.ClassType, &TestLabel::StaticClass());

    ASSERT_TRUE(description.GetPropRec(TestLabel::StaticClass(), "Owner", rec));
    EXPECT_EQ(rec.DataType, DataCode::ClassReference);
    EXPECT_FALSE(rec.ReadOnly);
}

TEST(RttiMethods, CreateThroughTheDescriptionMakesAnOwnedComponent) {
    EnginePtr<TestContainer> form{new TestContainer(nullptr)};
    TraPropRec rec;
    const TraRTTI& description = TraTComponentRTTI::Instance();
    ASSERT_TRUE(description.GetPropRec(TestLabel::StaticClass(), "Create", rec));
    reportengine::EngineComponent* owner = form.get();
    reportengine::EngineObject* created = nullptr;
    rec.Params->SetParamPointer(0, owner);
    rec.Params->SetParamPointer(2, created);
    ASSERT_TRUE(description.CallMethod(nullptr, "Create", *rec.Params));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->ClassName(), "TppLabel");
    EXPECT_EQ(form->ComponentCount(), 1);

    QString className;
    auto params = description.GetParams("ClassName");
    params->SetParamPointer(0, className);
    ASSERT_TRUE(description.CallMethod(created, "ClassName", *params));
    EXPECT_EQ(className, "TppLabel");
}

TEST(RttiParams, AVarStringIsWrittenBackToTheBroadcastersVariable) {
    TraParamList params;
    params.AddParam("Sender", DataCode::ObjectByReference, nullptr, "", true, false);
    params.AddParam("Text", DataCode::String, nullptr, "", false, true);
    params.AddParam("Count", DataCode::Integer, nullptr, "", true, false);
    EnginePtr<TestLabel> sender{new TestLabel(nullptr)};
    QString text = "before";
    int count = 4;
    params.SetParamObject(0, sender.get());
    params.SetParamPointer(1, text);
    params.SetParamPointer(2, count);

    // What a listener does:
    EXPECT_EQ(params.GetParamValue(params.IndexOf("text")).toString(), "before");
    EXPECT_TRUE(params.SetParamValue(1, QStringLiteral("after")));
    EXPECT_EQ(text, "after");
    EXPECT_FALSE(params.SetParamValue(2, 9));  // a const input is not written back
    EXPECT_EQ(count, 4);
    EXPECT_FALSE(params.GetParamValue(0).isValid());  // data type 13 copies nothing
    EXPECT_EQ(params.GetParamObject(0), sender.get());

    int wrong = 0;
    EXPECT_THROW(params.SetParamPointer(1, wrong), EVediduRizererError);
}

TEST(RttiEnums, ARegisteredNameKeepsItsPlace) {
    static const reportengine::EnumTypeInfo first{"TppTestAlign", {"taOne", "taTwo"}};
    static const reportengine::EnumTypeInfo second{"TppTestAlign", {"taOne", "taTwo", "taThree"}};
    static const reportengine::EnumTypeInfo other{"TppTestKind", {"tkA"}};
    RegisterEnumType("TppTestAlign", first);
    RegisterEnumType("TppTestKind", other);
    RegisterEnumType("TppTestAlign", second);
    const QStringList names = RegisteredEnumTypes();
    EXPECT_LT(names.indexOf("TppTestAlign"), names.indexOf("TppTestKind"));
    EXPECT_EQ(FindEnumType("tpptestalign"), &second);
    UnregisterEnumType("TppTestAlign");
    UnregisterEnumType("TppTestKind");
    EXPECT_EQ(FindEnumType("TppTestAlign"), nullptr);
}

}  // namespace
