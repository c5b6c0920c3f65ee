// Draw command kinds: what SameBounds compares, the two alignment vocabularies, the save-order key, the page
// values of system variable and calculated texts and the late value of a draw variable.
#include "reportengine/core/ppDrwCmd.h"

#include <gtest/gtest.h>

using reportengine::DataCode;
using reportengine::EnginePtr;

namespace {

// A text component as the system variable reads it: only its display format.
class DrawVarTestLabel : public reportengine::EngineComponent {
    REPORTENGINE_CLASS(DrawVarTestLabel)
public:
    explicit DrawVarTestLabel(EngineComponent* owner) : EngineComponent(owner) {}
    QString DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& format) { displayFormat_ = format; }

private:
    QString displayFormat_;
};

}  // namespace

const reportengine::EngineClass& DrawVarTestLabel::StaticClass() {
    static const reportengine::EngineClass& cls = []() -> const reportengine::EngineClass& {
        static reportengine::EngineClass info(QStringLiteral("DrawVarTestLabel"),
                                              &reportengine::EngineComponent::StaticClass());
        reportengine::ClassBuilder<DrawVarTestLabel>(info).Property("DisplayFormat", &DrawVarTestLabel::DisplayFormat,
                                                                    &DrawVarTestLabel::SetDisplayFormat);
        return info;
    }();
    return cls;
}

namespace {

EnginePtr<TppDrawText> NewText() {
    EnginePtr<TppDrawText> text{new TppDrawText(nullptr)};
    text->Left = 1000;
    text->Top = 2000;
    text->Width = 30000;
    text->Height = 5000;
    text->Text = "Amount";
    text->Font = {"Arial", 10, fsBold, 0x000000};
    return text;
}

TEST(DrawText, SameBoundsIgnoresOnlyTheFontColour) {
    const auto text = NewText();
    auto other = NewText();
    other->Font.Color = 0x0000FF;
    EXPECT_TRUE(text->SameBounds(*other));

    const std::vector<std::function<void(TppDrawText&)>> changes = {
        [](TppDrawText& t) { t.Font.Name = "arial"; },
        [](TppDrawText& t) { t.Font.Style = 0; },
        [](TppDrawText& t) { t.Text = "amount"; },
        [](TppDrawText& t) { t.Top += 1; },
        [](TppDrawText& t) { t.SetTextAlignment(taFullJustified); },
        [](TppDrawText& t) { t.WrappedText().Add("Amount"); },
    };
    for (size_t index = 0; index < changes.size(); ++index) {
        auto changed = NewText();
        changes[index](*changed);
        EXPECT_FALSE(text->SameBounds(*changed)) << "change " << index;
    }
    EnginePtr<TppDrawLine> line{new TppDrawLine(nullptr)};
    EXPECT_FALSE(text->SameBounds(*line));
}

TEST(DrawText, TheFinerTextAlignmentWins) {
    const auto text = NewText();
    text->SetTextAlignment(taFullJustified);
    EXPECT_EQ(text->Alignment(), taLeftJustify);
    text->SetAlignment(taLeftJustify);  // equal: changes nothing
    EXPECT_EQ(text->TextAlignment(), taFullJustified);
    text->SetAlignment(taCenter);
    EXPECT_EQ(text->TextAlignment(), taCentered);
}

TEST(DrawText, SaveOrderKeyRightAlignsBothNumbersInEightPlaces) {
    const auto text = NewText();
    text->BandSaveNo = 2;
    text->ComponentSaveNo = 15;
    EXPECT_EQ(text->GetSaveOrderKey(), "       2      15");
}

TEST(DrawLine, SameBoundsIgnoresTheWeight) {
    EnginePtr<TppDrawLine> line{new TppDrawLine(nullptr)};
    EnginePtr<TppDrawLine> other{new TppDrawLine(nullptr)};
    EXPECT_EQ(line->DataType, dtGraphic);
    line->Weight = 0.75f;
    other->Weight = 3.0f;
    EXPECT_TRUE(line->SameBounds(*other));
    other->Pen.Width = 2;
    EXPECT_FALSE(line->SameBounds(*other));
    other->Pen.Width = 1;
    other->LineStyle = lsDouble;
    EXPECT_FALSE(line->SameBounds(*other));
}

TEST(DrawShape, SameBoundsComparesBrushPenAndShape) {
    EnginePtr<TppDrawShape> shape{new TppDrawShape(nullptr)};
    EnginePtr<TppDrawShape> other{new TppDrawShape(nullptr)};
    EXPECT_EQ(shape->DataType, dtGraphic);
    EXPECT_TRUE(shape->SameBounds(*other));
    other->Brush.Style = TppBrushStyle::Clear;
    EXPECT_FALSE(shape->SameBounds(*other));
    other->Assign(shape.get());
    EXPECT_TRUE(shape->SameBounds(*other));
    other->YCornerRound = 500;
    EXPECT_FALSE(shape->SameBounds(*other));
}

TEST(DrawVar, ClockVariablesDrawTheSameWhereverTheyLie) {
    EnginePtr<TppDrawVar> date{new TppDrawVar(nullptr)};
    EnginePtr<TppDrawVar> time{new TppDrawVar(nullptr)};
    time->VarType = vtTime;
    time->Left = 9000;
    time->Text = "12:00";
    EXPECT_TRUE(date->SameBounds(*time));
    date->VarType = vtPageNo;
    time->VarType = vtPageCount;
    time->Left = date->Left;
    time->Text = date->Text;
    EXPECT_FALSE(date->SameBounds(*time));
}

TEST(DrawVar, PageValuedTextsAreUpdatedFromTheirPage) {
    EnginePtr<TppPage> page{new TppPage(nullptr)};
    page->PageNo = 4;
    page->PageCount = 7;
    auto* pageNo = new TppDrawVar(nullptr);
    pageNo->VarType = vtPageNo;
    pageNo->SetPage(page.get());
    auto* date = new TppDrawVar(nullptr);
    date->Text = "kept";
    date->SetPage(page.get());
    auto* pageCount = new TppDrawCalc(nullptr);
    pageCount->CalcType = ctPageCount;
    pageCount->SetPage(page.get());
    auto* calcDate = new TppDrawCalc(nullptr);
    calcDate->Text = "kept";
    calcDate->SetPage(page.get());
    EXPECT_EQ(page->GetUpdatableCount(), 3);  // not the date var

    page->UpdateDrawCommands();
    EXPECT_EQ(pageNo->Text, "4");
    EXPECT_EQ(pageCount->Text, "7");
    EXPECT_TRUE(calcDate->IsUpdatable());
    EXPECT_FALSE(calcDate->Update());
    EXPECT_EQ(calcDate->Text, "kept");
    EXPECT_FALSE(date->Update());
    EXPECT_EQ(date->Text, "kept");
}

TEST(DrawImage, ComparesBoundsOnlyAndCopiesItsPicture) {
    EnginePtr<TppDrawImage> image{new TppDrawImage(nullptr)};
    EXPECT_EQ(GetPictureBitmap(*image), nullptr);
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    image->SetPicture(picture);
    image->Stretch = true;
    image->PictureStored = false;
    EXPECT_EQ(GetPictureBitmap(*image), &image->Picture());

    EnginePtr<TppDrawImage> copy{new TppDrawImage(nullptr)};
    copy->Assign(image.get());
    EXPECT_EQ(copy->Picture(), picture);
    EXPECT_TRUE(copy->Stretch);
    EXPECT_TRUE(copy->PictureStored);
    copy->SetPicture(QImage());
    EXPECT_TRUE(image->SameBounds(*copy));
    EXPECT_EQ(image->Picture(), picture);
}

TEST(DrawVar, APageNumberTakesItsComponentsDisplayFormat) {
    EnginePtr<TppPage> page{new TppPage(nullptr)};
    page->PageCount = 1234;
    EnginePtr<DrawVarTestLabel> label{new DrawVarTestLabel(nullptr)};
    label->SetDisplayFormat("#,0");
    auto* pageCount = new TppDrawVar(nullptr);
    pageCount->VarType = vtPageCount;
    pageCount->TextComponent = label.get();
    pageCount->SetPage(page.get());
    EXPECT_TRUE(pageCount->Update());
    EXPECT_EQ(pageCount->Text, "1,234");
}

// What the look-ahead list broadcasts when a value becomes known.
void BroadcastLookAheadValue(TppCommunicator& broadcaster, QString key, int count, QString text) {
    TraParamList params;
    params.AddParam("aLookAheadKey", DataCode::String, nullptr, "", true, false);
    params.AddParam("aTraversalCount", DataCode::Integer, nullptr, "", true, false);
    params.AddParam("aText", DataCode::String, nullptr, "", true, false);
    params.SetParamPointer(0, key);
    params.SetParamPointer(1, count);
    params.SetParamPointer(2, text);
    broadcaster.BroadcastEvent(&broadcaster, TppDrawVariable::kLookAheadValueEvent, &params);
}

TEST(DrawVariable, TakesOnlyNewerValuesForItsKeyAndStopsOnAnotherKey) {
    EnginePtr<TppCommunicator> broadcaster{new TppCommunicator(nullptr)};
    EnginePtr<TppDrawVariable> variable{new TppDrawVariable(nullptr)};
    EXPECT_FALSE(variable->IsUpdatable());
    variable->SetUpdatable(true);
    variable->LookAheadKey = "Group1";
    variable->Text = "0";
    broadcaster->AddEventListener(variable->Listener());

    BroadcastLookAheadValue(*broadcaster, "Group1", 5, "500");
    EXPECT_EQ(variable->Text, "500");
    BroadcastLookAheadValue(*broadcaster, "Group1", 3, "300");  // a stale count
    EXPECT_EQ(variable->Text, "500");
    EXPECT_EQ(variable->TraversalCount, 5);
    EXPECT_TRUE(variable->Update());

    // A copy listens to the same broadcaster.
    EnginePtr<TppDrawVariable> copy{new TppDrawVariable(nullptr)};
    copy->Assign(variable.get());
    BroadcastLookAheadValue(*broadcaster, "Group1", 7, "700");
    EXPECT_EQ(copy->Text, "700");
    EXPECT_EQ(variable->Text, "700");

    BroadcastLookAheadValue(*broadcaster, "Group2", 9, "900");
    BroadcastLookAheadValue(*broadcaster, "Group1", 10, "1000");
    EXPECT_EQ(variable->Text, "700");
    EXPECT_FALSE(variable->Update());
    EXPECT_TRUE(variable->IsUpdatable());

    variable->SetUpdatable(false);
    EXPECT_EQ(variable->Listener(), nullptr);
}

}  // namespace
