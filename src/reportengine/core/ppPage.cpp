// Pages and the draw-command base.
#include "reportengine/core/ppPage.h"

#include <algorithm>

using reportengine::EngineClass;
using reportengine::EngineComponent;

namespace {

struct PageClassRegistration {
    PageClassRegistration() { reportengine::RegisterClass(TppPage::StaticClass()); }
    ~PageClassRegistration() { reportengine::UnregisterClass(TppPage::StaticClass()); }
};
const PageClassRegistration pageClassRegistration;

}  // namespace

const EngineClass& TppDrawCommand::StaticClass() {
    static const EngineClass& cls = []() -> const EngineClass& {
        static EngineClass info(QStringLiteral("TppDrawCommand"), &TppRelative::StaticClass());
        reportengine::ClassBuilder<TppDrawCommand>(info).Creatable();
        return info;
    }();
    return cls;
}

TppDrawCommand::TppDrawCommand(EngineComponent* owner) : TppRelative(owner) {}

TppDrawCommand::~TppDrawCommand() = default;

void TppDrawCommand::Dismantle() {
    SetPage(nullptr);
    TppRelative::Dismantle();
}

void TppDrawCommand::SetPage(TppPage* page) {
    if (page_) page_->RemoveDrawCommand(this);
    page_ = page;
    if (page_) page_->AddDrawCommand(this);
}

void TppDrawCommand::Assign(reportengine::EnginePersistent* source) {
    auto* other = dynamic_cast<TppDrawCommand*>(source);
    if (!other) {
        TppRelative::Assign(source);
        return;
    }
    SourceBand = other->SourceBand;
    Clickable = other->Clickable;
    DataType = other->DataType;
    DrawRectLeft = other->DrawRectLeft;
    DrawRectTop = other->DrawRectTop;
    DrawRectRight = other->DrawRectRight;
    DrawRectBottom = other->DrawRectBottom;
    DrillDownKey = other->DrillDownKey;
    Height = other->Height;
    Left = other->Left;
    ClickHandler = other->ClickHandler;
    SetTag(other->Tag());
    Top = other->Top;
    Width = other->Width;
}

bool TppDrawCommand::SameBounds(const TppDrawCommand& other) const {
    return Left == other.Left && Height == other.Height && Top == other.Top && Width == other.Width;
}

void TppDrawCommand::DoClick() {
    if (ClickHandler) ClickHandler(this);
}

const EngineClass& TppPage::StaticClass() {
    static const EngineClass& cls = []() -> const EngineClass& {
        static EngineClass info(QStringLiteral("TppPage"), &TppRelative::StaticClass());
        reportengine::ClassBuilder<TppPage>(info).Creatable();
        return info;
    }();
    return cls;
}

TppPage::TppPage(EngineComponent* owner) : TppRelative(owner) {}

TppPage::~TppPage() = default;

void TppPage::Assign(reportengine::EnginePersistent* source) {
    auto* other = dynamic_cast<TppPage*>(source);
    if (!other) {
        TppRelative::Assign(source);
        return;
    }
    AbsolutePageNo = other->AbsolutePageNo;
    AbsolutePageCount = other->AbsolutePageCount;
    Calculation = other->Calculation;
    Color = other->Color;
    ControlGroupBreakNo = other->ControlGroupBreakNo;
    DocumentName = other->DocumentName;
    Final = other->Final;
    FirstPage = other->FirstPage;
    LanguageIndex = other->LanguageIndex;
    LastPage = other->LastPage;
    PassSetting = other->PassSetting;
    PageCount = other->PageCount;
    PageNo = other->PageNo;
    PrintDateTime = other->PrintDateTime;
    SourceProducer = other->SourceProducer;
    FreeDrawCommands();
    for (int index = 0; index < other->GetDrawCommandCount(); ++index) {
        TppDrawCommand* original = other->GetDrawCommand(index);
        auto* copy = static_cast<TppDrawCommand*>(original->ClassType().Create(this));
        copy->Assign(original);
        copy->SetPage(this);
    }
}

void TppPage::Clear() {
    FreeDrawCommands();
    AbsolutePageNo = 0;
    AbsolutePageCount = 0;
    ControlGroupBreakNo = 0;
    LanguageIndex = 0;
    PageCount = 0;
    PageNo = 0;
    Calculation = false;
    Final = false;
    LastPage = false;
    DocumentName.clear();
}

void TppPage::AddDrawCommand(TppDrawCommand* command) {
    command->SetParent(this);
    if (command->IsUpdatable()) {
        if (!updatableList_) updatableList_ = std::make_unique<DrawCommandList>();
        updatableList_->push_back(command);
    }
    if (command->Clickable) {
        if (!clickableList_) clickableList_ = std::make_unique<DrawCommandList>();
        clickableList_->push_back(command);
    }
    if (command->Owner() != this) {
        if (command->Owner()) command->Owner()->RemoveComponent(command);
        InsertComponent(command);
    }
}

void TppPage::RemoveFromList(std::unique_ptr<DrawCommandList>& list, TppDrawCommand* command) {
    if (!list) return;
    list->erase(std::remove(list->begin(), list->end(), command), list->end());
    if (list->empty()) list.reset();
}

void TppPage::RemoveDrawCommand(TppDrawCommand* command) {
    if (command->Parent() == this) command->SetParent(nullptr);
    else RemoveChild(command);
    if (command->Clickable) RemoveFromList(clickableList_, command);
    if (command->IsUpdatable()) RemoveFromList(updatableList_, command);
    if (command->Owner() == this && !(ComponentState() & reportengine::csDestroying)) RemoveComponent(command);
}

TppDrawCommand* TppPage::GetDrawCommand(int index) const { return static_cast<TppDrawCommand*>(GetChild(index)); }

TppDrawCommand* TppPage::GetClickable(int index) const {
    if (!clickableList_ || index < 0 || index >= GetClickableCount()) return nullptr;
    return (*clickableList_)[static_cast<size_t>(index)];
}

void TppPage::UpdateDrawCommands() {
    if (!updatableList_) return;
    const DrawCommandList commands = *updatableList_;
    for (TppDrawCommand* command : commands) command->Update();
}

TppDrawCommand* TppPage::FindDrawCommandOfClass(const EngineClass& cls) const {
    for (int index = 0; index < GetDrawCommandCount(); ++index)
        if (GetDrawCommand(index)->InheritsFrom(cls)) return GetDrawCommand(index);
    return nullptr;
}
