// The library's check box: its state, values, keys, mouse and the field link.
#include "controls/edit/WwCheckBox.h"

#include "controls/edit/WwController.h"
#include "controls/edit/WwWindows.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/ui/Dispatch.h"

#include <QMetaObject>
#include <QMouseEvent>

namespace {

// Whether the text equals one of the ";"-separated alternatives, in any case.
bool IsOneOf(const QString& text, const QString& alternatives) {
    for (const QString& alternative : alternatives.split(u';'))
        if (text.compare(alternative, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QString FirstOf(const QString& alternatives) { return alternatives.section(u';', 0, 0); }

TCheckBoxState NextState(TCheckBoxState state, bool allowGrayed) {
    switch (state) {
        case cbUnchecked: return cbChecked;
        case cbChecked: return allowGrayed ? cbGrayed : cbUnchecked;
        case cbGrayed: return cbUnchecked;
    }
    return cbUnchecked;
}

}  // namespace

void TwwWinButtonIndents::Set(int& member, int value) {
    member = value;
    if (control_) control_->Invalidate();
}

void TwwWinButtonIndents::Assign(const TwwWinButtonIndents& source) {
    buttonX_ = source.buttonX_;
    buttonY_ = source.buttonY_;
    textX_ = source.textX_;
    textY_ = source.textY_;
    if (control_) control_->Invalidate();
}

TwwCustomCheckBox::TwwCustomCheckBox(QWidget* parent) : ControlOf<QWidget>(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

TwwCustomCheckBox::~TwwCustomCheckBox() {
    if (controller_) AssignController(controller_, nullptr, this);
}

void TwwCustomCheckBox::SetController(TwwController* controller) {
    if (controller == controller_) return;
    AssignController(controller_, controller, this);
    if (controller_) frame_.Assign(controller_->Frame);
    update();
}

void TwwCustomCheckBox::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TwwCustomCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) return;
    LoadState(state);
    Click();
}

void TwwCustomCheckBox::LoadState(TCheckBoxState state) {
    if (state == state_) return;
    state_ = state;
    StateChanged();
}

void TwwCustomCheckBox::StateChanged() {
    if (dynamicCaption_)
        caption_ = state_ == cbChecked     ? GetDisplayValueChecked()
                   : state_ == cbUnchecked ? GetDisplayValueUnchecked()
                                           : QString();
    update();
}

void TwwCustomCheckBox::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    update();
}

void TwwCustomCheckBox::SetAlwaysTransparent(bool value) {
    alwaysTransparent_ = value;
    update();
}

void TwwCustomCheckBox::SetDisableThemes(bool value) {
    disableThemes_ = value;
    update();
}

void TwwCustomCheckBox::SetDynamicCaption(bool value) {
    dynamicCaption_ = value;
    update();
}

void TwwCustomCheckBox::SetValueChecked(const QString& value) {
    valueChecked_ = value;
    DataChange();
}

void TwwCustomCheckBox::SetValueUnchecked(const QString& value) {
    valueUnchecked_ = value;
    DataChange();
}

QString TwwCustomCheckBox::GetDisplayValueChecked() const {
    return DisplayValueChecked.isEmpty() ? valueChecked_ : DisplayValueChecked;
}

QString TwwCustomCheckBox::GetDisplayValueUnchecked() const {
    return DisplayValueUnchecked.isEmpty() ? valueUnchecked_ : DisplayValueUnchecked;
}

QString TwwCustomCheckBox::GetDisplayText() const {
    if (dynamicCaption_ && IsPaintingInGrid(this)) {
        switch (GetDataState()) {
            case cbChecked: return GetDisplayValueChecked();
            case cbUnchecked: return GetDisplayValueUnchecked();
            case cbGrayed: return QString();
        }
    }
    return caption_;
}

bool TwwCustomCheckBox::IsMouseOver(bool testBox) const {
    if (!underMouse() && !mouseOver_) return false;
    return !testBox || InGrownBox(mapFromGlobal(QCursor::pos()));
}

bool TwwCustomCheckBox::InGrownBox(QPoint point) const {
    const TRect box = GetButtonRect();
    return point.x() >= box.Left - 3 && point.x() < box.Right + 3 && point.y() >= box.Top - 3 &&
           point.y() < box.Bottom + 3;
}

TRect TwwCustomCheckBox::GetButtonRect() const {
    const int size = 13;
    int offset = GetButtonOffset() + indents_.ButtonX() + 1;
    if (IsInGrid(this)) ++offset;
    if (frame_.Enabled() && frame_.UsedBorders(hasFocus()).Contains(efLeftBorder)) offset = std::max(offset, 3);
    const int centreX = GetAlignment() == taRightJustify ? offset + size / 2 : ClientWidth() - offset - size / 2 - 2;
    const int centreY = Height() / 2 + indents_.ButtonY();
    return {centreX - size / 2, centreY - size / 2, centreX + size / 2 + 1, centreY + size / 2 + 1};
}

void TwwCustomCheckBox::Toggle() {
    if (!ReadOnly()) SetState(NextState(state_, allowGrayed_));
}

bool TwwCustomCheckBox::WantsKey(Word key, TShiftState shift) const {
    return key == VK_SPACE || TControl::WantsKey(key, shift);
}

void TwwCustomCheckBox::KeyDown(Word& key, TShiftState shift) {
    TControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        spacePressed_ = true;
        update();
    } else if (key == VK_ESCAPE && IsInGrid(this) && !modified_) {
        // The grid takes Esc from an unchanged box as its own.
        auto* grid = FindControl(parentWidget());
        grid->SetFocus();
        grid->KeyDown(key, shift);
        key = 0;
    }
}

void TwwCustomCheckBox::KeyUp(Word& key, TShiftState shift) {
    TControl::KeyUp(key, shift);
    if (key == VK_SPACE && spacePressed_) {
        spacePressed_ = false;
        Toggle();
        update();
    }
}

void TwwCustomCheckBox::DoEnter() {
    spacePressed_ = false;
    TControl::DoEnter();
}

void TwwCustomCheckBox::mousePressEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (event->button() != Qt::LeftButton) return;
        mouseDown_ = true;
        if (!hasFocus()) SetFocus();
        update();
    });
}

void TwwCustomCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (event->button() != Qt::LeftButton) return;
        mouseDown_ = false;
        update();
        const QPoint point = event->position().toPoint();
        // In a grid cell only the box itself (with 3 pixels around it) takes the click.
        if (IsInGrid(this) ? InGrownBox(point) : rect().contains(point)) Toggle();
    });
}

void TwwCustomCheckBox::enterEvent(QEnterEvent*) {
    ui::Dispatch(this, [&] { MouseEnter(); });
}

void TwwCustomCheckBox::leaveEvent(QEvent*) {
    ui::Dispatch(this, [&] { MouseLeave(); });
}

void TwwCustomCheckBox::MouseEnter() {
    mouseOver_ = true;
    if (OnMouseEnter) OnMouseEnter(this);
    update();
}

void TwwCustomCheckBox::MouseLeave() {
    mouseOver_ = false;
    if (OnMouseLeave) OnMouseLeave(this);
    update();
}

void SetCheckBoxChecked(TwwCustomCheckBox& checkBox, bool checked) {
    if (checkBox.Checked() == checked) return;
    QWidget* parent = checkBox.parentWidget();
    if (checked && InheritsFromClassName(parent, QStringLiteral("TwwDBGrid")))
        QMetaObject::invokeMethod(parent, "PlaceCustomEdit");
    checkBox.Toggle();
}

TwwDBCustomCheckBox::TwwDBCustomCheckBox(QWidget* parent) : TwwCustomCheckBox(parent) {
    dataLink_.OnDataChange = [this] { DataChange(); };
    dataLink_.OnUpdateData = [this] { UpdateData(); };
    dataLink_.OnActiveChange = [this] { DataChange(); };
}

TwwDBCustomCheckBox::~TwwDBCustomCheckBox() {
    dataLink_.OnDataChange = nullptr;
    dataLink_.OnUpdateData = nullptr;
    dataLink_.OnActiveChange = nullptr;
}

void TwwDBCustomCheckBox::SetDataSource(TDataSource* source) {
    dataLink_.SetDataSource(source);
    DataChange();
}

void TwwDBCustomCheckBox::SetDataField(const QString& name) {
    dataLink_.SetFieldName(name);
    DataChange();
}

TCheckBoxState TwwDBCustomCheckBox::GetDataState() const {
    const TField* field = GetField();
    if (!field) return Bound() ? NullAndBlankState : State();
    if (field->IsNull()) return NullAndBlankState;
    if (field->DataType() == ftBoolean) return field->AsBoolean() ? cbChecked : cbUnchecked;
    const QString text = field->Text();
    if (IsOneOf(text, ValueChecked())) return cbChecked;
    if (IsOneOf(text, ValueUnchecked())) return cbUnchecked;
    return NullAndBlankState;
}

void TwwDBCustomCheckBox::DataChange() {
    LoadState(GetDataState());
    const TDataSet* dataSet = dataLink_.DataSet();
    if (dataSet && dataSet->State() == dsBrowse) SetModified(false);
}

void TwwDBCustomCheckBox::UpdateData() {
    TField* field = GetField();
    if (!field) return;
    if (State() == cbGrayed) field->Clear();
    else if (field->DataType() == ftBoolean) field->SetAsBoolean(Checked());
    else field->SetEditText(FirstOf(Checked() ? ValueChecked() : ValueUnchecked()));
}

void TwwDBCustomCheckBox::Toggle() {
    if (!Bound()) {
        TwwCustomCheckBox::Toggle();
        return;
    }
    if (!dataLink_.Edit()) return;
    SetState(NextState(State(), AllowGrayed()));
    dataLink_.Modified();
    SetModified(true);
}

void TwwDBCustomCheckBox::KeyPress(QChar& key) {
    TwwCustomCheckBox::KeyPress(key);
    if (!Bound()) return;
    if (key == QChar(VK_BACK) || key == QChar(u' ')) {
        dataLink_.Edit();
    } else if (key == QChar(VK_ESCAPE)) {
        dataLink_.Reset();
        SetModified(false);
    }
}

void TwwDBCustomCheckBox::DoEnter() {
    TwwCustomCheckBox::DoEnter();
    if (GetField()) SetModified(false);
}

void TwwDBCustomCheckBox::DoExit() {
    if (Bound()) {
        try {
            dataLink_.UpdateRecord();
        } catch (...) {
            // The box keeps the focus until its value can be written.
            SetFocus();
            throw;
        }
    }
    TwwCustomCheckBox::DoExit();
}
