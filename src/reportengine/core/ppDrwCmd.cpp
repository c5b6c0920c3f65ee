// The text kinds, shapes, lines and images.
#include "reportengine/core/ppDrwCmd.h"

#include "reportengine/core/ppDisplayFormat.h"
#include "reportengine/core/ppRTTI.h"
#include "reportengine/core/ppUtils.h"

using reportengine::EngineClass;
using reportengine::EngineComponent;

namespace {

struct DrawCommandClassRegistration {
    DrawCommandClassRegistration() {
        for (const EngineClass* cls : Classes()) reportengine::RegisterClass(*cls);
    }
    ~DrawCommandClassRegistration() {
        for (const EngineClass* cls : Classes()) reportengine::UnregisterClass(*cls);
    }
    static std::vector<const EngineClass*> Classes() {
        return {&TppDrawText::StaticClass(),    &TppDrawVar::StaticClass(),  &TppDrawCalc::StaticClass(),
                &TppDrawShape::StaticClass(),   &TppDrawLine::StaticClass(), &TppDrawImage::StaticClass(),
                &TppDrawVariable::StaticClass()};
    }
};
const DrawCommandClassRegistration drawCommandClassRegistration;

// Draw command kinds are created by name with an owner, like every component.
template <class Kind>
const EngineClass& DrawCommandKindClass(const char* name, const EngineClass& parent) {
    static EngineClass info(QString::fromLatin1(name), &parent);
    reportengine::ClassBuilder<Kind>(info).Creatable();
    return info;
}

// A missing parameter reads as no value.
QVariant DrawVariableParam(const TraParamList& params, const char* name) {
    const int index = params.IndexOf(QString::fromLatin1(name));
    return index < 0 ? QVariant() : params.GetParamValue(index);
}

bool IsClockVariable(TppVarType type) {
    return type == vtDate || type == vtDateTime || type == vtPrintDateTime || type == vtTime;
}

// The page-valued system variable text of a command on a page.
bool UpdateFromPage(TppDrawText& text, TppVarType type) {
    const TppPage* page = text.Page();
    if (!page) return false;
    SystemVariableText(type, page->PageNo, page->PageCount, page->PrintDateTime, true, text.Text);
    return true;
}

}  // namespace

const EngineClass& TppDrawText::StaticClass() {
    static const EngineClass& cls = DrawCommandKindClass<TppDrawText>("TppDrawText", TppDrawCommand::StaticClass());
    return cls;
}

TppDrawText::TppDrawText(EngineComponent* owner) : TppDrawCommand(owner) {}

TppDrawText::~TppDrawText() = default;

void TppDrawText::Assign(reportengine::EnginePersistent* source) {
    TppDrawCommand::Assign(source);
    auto* other = dynamic_cast<TppDrawText*>(source);
    if (!other) return;
    alignment_ = other->alignment_;
    textAlignment_ = other->textAlignment_;
    AutoSize = other->AutoSize;
    Color = other->Color;
    Font = other->Font;
    IsMemo = other->IsMemo;
    Leading = other->Leading;
    Text = other->Text;
    Transparent = other->Transparent;
    WordWrap = other->WordWrap;
    wrappedText_.Assign(other->wrappedText_);
    tabStopPositions_.Assign(other->tabStopPositions_);
    ScreenFontHeight = other->ScreenFontHeight;
    DrawnTextHeight = other->DrawnTextHeight;
    DrawnTextWidth = other->DrawnTextWidth;
    BandSave = other->BandSave;
    BandSaveNo = other->BandSaveNo;
    TextComponent = other->TextComponent;
    ComponentSave = other->ComponentSave;
    ComponentSaveNo = other->ComponentSaveNo;
    ForceJustifyLastLine = other->ForceJustifyLastLine;
    SaveLength = other->SaveLength;
}

bool TppDrawText::SameBounds(const TppDrawCommand& other) const {
    if (!TppDrawCommand::SameBounds(other)) return false;
    const auto* text = dynamic_cast<const TppDrawText*>(&other);
    if (!text) return false;
    return alignment_ == text->alignment_ && textAlignment_ == text->textAlignment_ &&
           ForceJustifyLastLine == text->ForceJustifyLastLine && AutoSize == text->AutoSize && Color == text->Color &&
           Font.Name == text->Font.Name && Font.Size == text->Font.Size && Font.Style == text->Font.Style &&
           IsMemo == text->IsMemo && Leading == text->Leading && SaveLength == text->SaveLength && Text == text->Text &&
           Transparent == text->Transparent && tabStopPositions_.Text() == text->tabStopPositions_.Text() &&
           WordWrap == text->WordWrap && wrappedText_.Text() == text->wrappedText_.Text();
}

void TppDrawText::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    switch (value) {
        case taLeftJustify: textAlignment_ = taLeftJustified; break;
        case taRightJustify: textAlignment_ = taRightJustified; break;
        case taCenter: textAlignment_ = taCentered; break;
    }
}

void TppDrawText::SetTextAlignment(TppTextAlignment value) {
    if (value == textAlignment_) return;
    textAlignment_ = value;
    switch (value) {
        case taRightJustified: alignment_ = taRightJustify; break;
        case taCentered: alignment_ = taCenter; break;
        case taLeftJustified:
        case taFullJustified: alignment_ = taLeftJustify; break;
    }
}

QString TppDrawText::GetSaveOrderKey() const {
    return QStringLiteral("%1%2").arg(BandSaveNo, 8).arg(ComponentSaveNo, 8);
}

const EngineClass& TppDrawVariable::StaticClass() {
    static const EngineClass& cls =
        DrawCommandKindClass<TppDrawVariable>("TppDrawVariable", TppDrawText::StaticClass());
    return cls;
}

TppDrawVariable::TppDrawVariable(EngineComponent* owner) : TppDrawText(owner) {}

TppDrawVariable::~TppDrawVariable() = default;

void TppDrawVariable::Assign(reportengine::EnginePersistent* source) {
    TppDrawText::Assign(source);
    auto* other = dynamic_cast<TppDrawVariable*>(source);
    if (!other) return;
    LookAheadKey = other->LookAheadKey;
    SetUpdatable(other->updatable_);
    if (!updatable_ || !other->listener_) return;
    for (int index = 0; index < other->listener_->GetNotifyCount(); ++index)
        other->listener_->GetNotifyItem(index)->AddEventListener(listener_);
}

void TppDrawVariable::SetUpdatable(bool value) {
    updatable_ = value;
    if (!value) {
        reportengine::EngineObject::FreeObject(listener_);
        listener_ = nullptr;
        return;
    }
    if (listener_) return;
    listener_ = new TppCommunicator(this);
    listener_->EventMask().reset();
    listener_->EventMask().set(kLookAheadValueEvent);
    listener_->OnEventNotify = [this](TppCommunicator*, TppCommunicator*, int eventId, TraParamList* params) {
        ListenerEventNotify(eventId, params);
    };
}

void TppDrawVariable::ListenerEventNotify(int eventId, TraParamList* params) {
    if (eventId != kLookAheadValueEvent || !params) return;
    const QString key = DrawVariableParam(*params, "aLookAheadKey").toString();
    if (key != LookAheadKey) {
        // Another key: this value is final and the command stops listening.
        listener_->EventMask().reset();
        return;
    }
    const int count = DrawVariableParam(*params, "aTraversalCount").toInt();
    if (count <= TraversalCount) return;
    Text = DrawVariableParam(*params, "aText").toString();
    TraversalCount = count;
}

bool TppDrawVariable::Update() { return updatable_ && listener_ && listener_->EventMask().any(); }

const EngineClass& TppDrawLine::StaticClass() {
    static const EngineClass& cls = DrawCommandKindClass<TppDrawLine>("TppDrawLine", TppDrawCommand::StaticClass());
    return cls;
}

TppDrawLine::TppDrawLine(EngineComponent* owner) : TppDrawCommand(owner) { DataType = dtGraphic; }

TppDrawLine::~TppDrawLine() = default;

void TppDrawLine::Assign(reportengine::EnginePersistent* source) {
    TppDrawCommand::Assign(source);
    auto* other = dynamic_cast<TppDrawLine*>(source);
    if (!other) return;
    LinePosition = other->LinePosition;
    LineStyle = other->LineStyle;
    Pen = other->Pen;
    Weight = other->Weight;
}

bool TppDrawLine::SameBounds(const TppDrawCommand& other) const {
    if (!TppDrawCommand::SameBounds(other)) return false;
    const auto* line = dynamic_cast<const TppDrawLine*>(&other);
    return line && LinePosition == line->LinePosition && LineStyle == line->LineStyle && Pen == line->Pen;
}

const EngineClass& TppDrawVar::StaticClass() {
    static const EngineClass& cls = DrawCommandKindClass<TppDrawVar>("TppDrawVar", TppDrawText::StaticClass());
    return cls;
}

TppDrawVar::TppDrawVar(EngineComponent* owner) : TppDrawText(owner) {}

TppDrawVar::~TppDrawVar() = default;

void TppDrawVar::Assign(reportengine::EnginePersistent* source) {
    TppDrawText::Assign(source);
    if (auto* other = dynamic_cast<TppDrawVar*>(source)) VarType = other->VarType;
}

bool TppDrawVar::SameBounds(const TppDrawCommand& other) const {
    const auto* var = dynamic_cast<const TppDrawVar*>(&other);
    if (IsClockVariable(VarType)) return var && IsClockVariable(var->VarType);
    return TppDrawText::SameBounds(other) && var && VarType == var->VarType;
}

bool TppDrawVar::IsUpdatable() const { return VarType >= vtPageCount && VarType <= vtPageNoDesc; }

bool TppDrawVar::Update() {
    const TppPage* page = Page();
    if (TextComponent && page && (VarType == vtPageCount || VarType == vtPageNo)) {
        // The making component's display format shapes the bare number.
        const TraRTTI* description = TraRTTIClassRegistry::FindRTTIClass(TextComponent->ClassType());
        const QString format =
            description ? description->GetPropValueText(TextComponent, QStringLiteral("DisplayFormat")) : QString();
        Text = FormatDisplayValue(format, dtInteger, VarType == vtPageCount ? page->PageCount : page->PageNo);
        return true;
    }
    return IsUpdatable() && UpdateFromPage(*this, VarType);
}

const EngineClass& TppDrawCalc::StaticClass() {
    static const EngineClass& cls = DrawCommandKindClass<TppDrawCalc>("TppDrawCalc", TppDrawText::StaticClass());
    return cls;
}

TppDrawCalc::TppDrawCalc(EngineComponent* owner) : TppDrawText(owner) {}

TppDrawCalc::~TppDrawCalc() = default;

void TppDrawCalc::Assign(reportengine::EnginePersistent* source) {
    TppDrawText::Assign(source);
    if (auto* other = dynamic_cast<TppDrawCalc*>(source)) CalcType = other->CalcType;
}

bool TppDrawCalc::Update() {
    switch (CalcType) {
        case ctPageCount: return UpdateFromPage(*this, vtPageCount);
        case ctPageSet: return UpdateFromPage(*this, vtPageSet);
        case ctPageSetDesc: return UpdateFromPage(*this, vtPageSetDesc);
        default: return false;
    }
}

const EngineClass& TppDrawShape::StaticClass() {
    static const EngineClass& cls = DrawCommandKindClass<TppDrawShape>("TppDrawShape", TppDrawCommand::StaticClass());
    return cls;
}

TppDrawShape::TppDrawShape(EngineComponent* owner) : TppDrawCommand(owner) { DataType = dtGraphic; }

TppDrawShape::~TppDrawShape() = default;

void TppDrawShape::Assign(reportengine::EnginePersistent* source) {
    TppDrawCommand::Assign(source);
    auto* other = dynamic_cast<TppDrawShape*>(source);
    if (!other) return;
    ShapeType = other->ShapeType;
    XCornerRound = other->XCornerRound;
    YCornerRound = other->YCornerRound;
    Brush = other->Brush;
    Pen = other->Pen;
}

bool TppDrawShape::SameBounds(const TppDrawCommand& other) const {
    if (!TppDrawCommand::SameBounds(other)) return false;
    const auto* shape = dynamic_cast<const TppDrawShape*>(&other);
    return shape && Brush == shape->Brush && Pen == shape->Pen && ShapeType == shape->ShapeType &&
           XCornerRound == shape->XCornerRound && YCornerRound == shape->YCornerRound;
}

const EngineClass& TppDrawImage::StaticClass() {
    static const EngineClass& cls = DrawCommandKindClass<TppDrawImage>("TppDrawImage", TppDrawCommand::StaticClass());
    return cls;
}

TppDrawImage::TppDrawImage(EngineComponent* owner) : TppDrawCommand(owner) { DataType = dtGraphic; }

TppDrawImage::~TppDrawImage() = default;

void TppDrawImage::Assign(reportengine::EnginePersistent* source) {
    TppDrawCommand::Assign(source);
    auto* other = dynamic_cast<TppDrawImage*>(source);
    if (!other) return;
    Center = other->Center;
    DirectDraw = other->DirectDraw;
    MaintainAspectRatio = other->MaintainAspectRatio;
    Scale = other->Scale;
    Stretch = other->Stretch;
    Transparent = other->Transparent;
    ImageName = other->ImageName;
    SetPicture(other->picture_);
}

const QImage* GetPictureBitmap(const TppDrawImage& image) {
    return image.Picture().isNull() ? nullptr : &image.Picture();
}
