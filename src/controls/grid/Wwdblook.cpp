// The lookup combo's model: its owned list and timer, the binding modes, the value operations and the field
// link's events with the write-back of key values into the record.
#include "controls/grid/Wwdblook.h"

#include "controls/edit/WwCommon.h"
#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/PopupTracker.h"
#include "platform/ui/Timer.h"

namespace {

bool SameOrBothMissing(const TField* a, const TField* b) { return a == b; }

}  // namespace

TwwDBCustomLookupCombo::TwwDBCustomLookupCombo(QWidget* parent) : TwwDBCustomCombo(parent), list_(nullptr) {
    SetButtonStyle(cbsDownArrow);
    DataLink().OnActiveChange = [this] { ActiveChange(); };
    list_ = new TwwPopupGrid(this);
    list_->hide();
    list_->OnClick = [this](QObject*) { ListClick(); };
    list_->SetOptions({});
    resize(width(), 25);
    searchTimer_ = std::make_unique<TTimer>(nullptr);
    searchTimer_->SetInterval(200);
    searchTimer_->SetOnTimer([this](QObject*) { PerformSearch(); });
    searchTimer_->SetEnabled(false);
}

TwwDBCustomLookupCombo::~TwwDBCustomLookupCombo() {
    ui::PopupTracker::Instance().Unregister(list_);
    searchTimer_.reset();
    DataLink().OnActiveChange = nullptr;
    DataLink().OnDataChange = nullptr;
    // The list goes while the combo it calls back is whole, not later among the widget's children.
    const std::unique_ptr<TwwPopupGrid> list(list_);
}

void TwwDBCustomLookupCombo::SetDataSource(TDataSource* source) {
    if (source && source->DataSet() && source->DataSet() == LookupTable())
        throw EInvalidOperation(lookup_combo::kDuplicateSource);
    TwwDBCustomCombo::SetDataSource(source);
}

void TwwDBCustomLookupCombo::SetDataField(const QString& name) {
    TwwDBCustomCombo::SetDataField(name);
    DeriveLookupField();
}

void TwwDBCustomLookupCombo::SetLookupField(const QString& value) {
    list_->SetLookupField(value);
    list_->ResolveFields(true);
    DataChange();
}

// ---- tests

bool TwwDBCustomLookupCombo::IsDroppedDown() const { return list_ && list_->isVisible(); }

bool TwwDBCustomLookupCombo::AllowsTyping() const { return IsDroppedDown() || Style == csDropDown || AutoDropDown; }

bool TwwDBCustomLookupCombo::MouseActsAsEdit() const { return IsDroppedDown() || Style == csDropDown; }

bool TwwDBCustomLookupCombo::IsBoundToLookupField() const {
    TDataSource* source = DataSource();
    if (!source || !source->DataSet() || DataField().isEmpty() || !DataSetHasField(source->DataSet(), DataField()))
        return false;
    const TField* field = source->DataSet()->FindField(DataField());
    return field && (field->Calculated() || field->Lookup());
}

bool TwwDBCustomLookupCombo::IsStandardLookupField() const { return IsBoundToLookupField() && Field()->Lookup(); }

bool TwwDBCustomLookupCombo::IsTypingKey(Word key) {
    return key == VK_BACK || key == VK_SPACE || key == VK_DELETE || (key >= 48 && key <= 111) || key > 145;
}

bool TwwDBCustomLookupCombo::CanEdit() const {
    bool result = true;
    TDataSource* source = DataSource();
    if (source && !DataField().isEmpty() &&
        !(const_cast<TwwDBCustomLookupCombo*>(this)->DataLink().Editing() && AllowsTyping())) {
        const TDataSetState state = source->State();
        result = IsBoundToLookupField() && (state == dsEdit || state == dsInsert || source->AutoEdit);
    }
    if (!IsDroppedDown() && Style == csDropDownList) result = result && AutoDropDown;
    return result && !ReadOnly();
}

// ---- values

void TwwDBCustomLookupCombo::SetLookupValue(const QString& value) {
    TDataSource* source = DataSource();
    if (list_->DataLink().Active() && DataLink().Active() && source && LookupTable() &&
        source->DataSet() == LookupTable())
        throw EInvalidOperation(lookup_combo::kDuplicateSource);
    const bool keyIsDisplay = SameOrBothMissing(list_->KeyField(), list_->DisplayField());
    const bool act =
        GetLookupValue() != value || (Text().isEmpty() && !value.isEmpty()) || (keyIsDisplay && Text() != value);
    if (!act) return;
    if (list_->DataLink().Active()) {
        if (!storing_) list_->SetLookupValue(value);
        setText(list_->GetDisplayValue());
        return;
    }
    TDataSet* table = LookupTable();
    if (LookupField().isEmpty() && !table) {
        setText(value);
    } else if (table && !table->Active()) {
        if (OnPerformCustomSearch) {
            const bool found = RunCustomSearch(LookupField(), value, true);
            if (found && list_->DisplayField()) list_->SetCachedDisplayValue(list_->DisplayField()->AsString());
        } else {
            setText(value);
        }
    }
}

QString TwwDBCustomLookupCombo::GetSecondLookupValue() {
    TDataSource* source = DataSource();
    if (source && source->DataSet() && list_->SecondKeyField()) {
        if (TField* field = source->DataSet()->FindField(list_->SecondKeyField()->FieldName())) {
            const QString value = field->AsString();
            if (value != list_->GetSecondValue() && list_->DisplayField()) {
                setText(list_->DisplayField()->AsString());
                list_->SetCachedDisplayValue(Text());
            }
            list_->SetCachedValues(list_->GetLookupValue(), value, list_->GetThirdValue());
        }
    }
    return list_->GetSecondValue();
}

QString TwwDBCustomLookupCombo::GetThirdLookupValue() {
    TDataSource* source = DataSource();
    if (source && source->DataSet() && list_->ThirdKeyField())
        if (TField* field = source->DataSet()->FindField(list_->ThirdKeyField()->FieldName()))
            list_->SetCachedValues(list_->GetLookupValue(), list_->GetSecondValue(), field->AsString());
    return list_->GetThirdValue();
}

void TwwDBCustomLookupCombo::SetDisplayValue(const QString& text) {
    if (list_->GetDisplayValue() == text || !list_->DataLink().Active()) return;
    list_->SetDisplayValue(text);
    setText(list_->GetDisplayValue());
}

QString TwwDBCustomLookupCombo::GetSearchText() const { return AllowsTyping() ? Text() : GetLookupValue(); }

void TwwDBCustomLookupCombo::AcceptListRecord() {
    if (searchTimer_->Enabled()) {
        searchTimer_->SetEnabled(false);
        PerformSearch();
        return;
    }
    if (IsDroppedDown() && list_->HighlightedRecord() < 0) return;
    TDataSet* table = LookupTable();
    TField* display = list_->DisplayField();
    TField* key = list_->KeyField();
    if (!table || !table->Active() || !display || !key) return;
    const int highlighted = list_->HighlightedRecord();
    if (highlighted >= 0 && highlighted != list_->DataLink().ActiveRecord())
        table->MoveBy(highlighted - list_->DataLink().ActiveRecord());
    list_->SetCachedDisplayValue(display->AsString());
    const QString lookup = key == display ? display->AsString() : key->AsString();
    list_->SetCachedValues(lookup, list_->SecondKeyField() ? list_->SecondKeyField()->AsString() : QString(),
                           list_->ThirdKeyField() ? list_->ThirdKeyField()->AsString() : QString());
}

void TwwDBCustomLookupCombo::ListClick() {
    found_ = true;
    TDataSource* source = DataSource();
    if (source && !DataLink().Editing() && !Modified()) return;
    DataLink().Edit();
    if (source && !DataLink().Editing() && !IsBoundToLookupField()) return;
    if (ReadOnly()) return;
    if (DataLink().Editing()) DataLink().Modified();
    setText(list_->GetDisplayValue());
    setModified(true);
    SelectAllIfTyping();
    lastSearchedText_ = Text();
}

bool TwwDBCustomLookupCombo::ListRecordDiffers() const {
    if (!list_->KeyField()) return false;
    if (list_->KeyField()->AsString() != GetLookupValue()) return true;
    if (list_->SecondKeyField() && list_->SecondKeyField()->AsString() != list_->GetSecondValue()) return true;
    return list_->ThirdKeyField() && list_->ThirdKeyField()->AsString() != list_->GetThirdValue();
}

void TwwDBCustomLookupCombo::EditField() {
    internalChange_ = true;
    try {
        DataLink().Edit();
    } catch (...) {
        internalChange_ = false;
        throw;
    }
    internalChange_ = false;
}

void TwwDBCustomLookupCombo::StoreLookupValues(TDataSet*, bool& modified) {
    if (storing_ || !Field()) return;
    storing_ = true;
    const auto finish = [this] {
        internalChange_ = false;
        update();
        storing_ = false;
    };
    try {
        QStringList keys;
        if (IsStandardLookupField()) keys = Field()->KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        TDataSet* dataSet = DataSource()->DataSet();
        const QString values[3] = {GetLookupValue(), list_->GetSecondValue(), list_->GetThirdValue()};
        const int limits[3] = {1, list_->SecondKeyField() ? 1 : 0, list_->ThirdKeyField() ? 1 : 0};
        modified = keys.isEmpty();
        for (int i = 0; i < keys.size() && i < 3; ++i) {
            TField* field = dataSet->FindField(keys[i]);
            if (field && limits[i] && field->EditText() != values[i]) modified = true;
        }
        if (modified) {
            internalChange_ = true;
            if (dataSet->CanModify() && !ReadOnly()) {
                DataSource()->Edit();
                if (dataSet->State() == dsEdit || dataSet->State() == dsInsert)
                    for (int i = 0; i < keys.size() && i < 3; ++i) {
                        TField* field = dataSet->FindField(keys[i]);
                        if (field && field->EditText() != values[i]) field->SetEditText(values[i]);
                    }
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TwwDBCustomLookupCombo::DeriveLookupField() {
    TField* field = Field();
    if (DataField().isEmpty() || !field || !field->Lookup() || field->LookupKeyFields.isEmpty()) return;
    list_->SetLookupField(field->LookupKeyFields);
    list_->ResolveFields(true);
}

// ---- the field link's events

void TwwDBCustomLookupCombo::DataChange() {
    if (internalChange_) return;
    if (!Field()) {
        if (!OnPerformCustomSearch) setText(QString());
    } else {
        ++list_->NestedChange;
        try {
            if (list_->SecondKeyField() || list_->ThirdKeyField()) {
                list_->SyncToLookupValue(false);
                if (list_->DisplayField()) {
                    setText(list_->DisplayField()->AsString());
                    list_->SetCachedDisplayValue(Text());
                }
            }
            SetLookupValue(Field()->AsString());
            if (list_->SecondKeyField()) GetSecondLookupValue();
            if (list_->ThirdKeyField()) GetThirdLookupValue();
            if (DataSource() && DataSource()->State() == dsBrowse) SaveValues();
        } catch (...) {
            --list_->NestedChange;
            throw;
        }
        --list_->NestedChange;
    }
    if (focused_) SelectAllIfTyping();
}

void TwwDBCustomLookupCombo::ActiveChange() {
    if (!DataSource()) return;
    if (DataLink().Active()) DeriveLookupField();
    if (DataLink().Active() && list_->DataLink().Active() && !customSearch_) {
        list_->SetCachedValues({}, list_->GetSecondValue(), list_->GetThirdValue());
        DataChange();
    }
}

void TwwDBCustomLookupCombo::UpdateData() {
    TField* field = Field();
    if (!field) return;
    if (!forwarding_ && !Text().isEmpty() && !IsDroppedDown()) CloseUp(true);
    if (IsBoundToLookupField()) {
        if (list_->HighlightedRecord() >= 0) {
            bool modified = false;
            StoreLookupValues(LookupTable(), modified);
        }
        return;
    }
    if (list_->KeyField() == list_->DisplayField()) {
        if (field->AsString() != Text()) field->SetEditText(Text());
        if (GetLookupValue() != Text() && !typingDropDown_) list_->SetLookupValue(Text());
    } else if (field->AsString() != GetLookupValue()) {
        field->SetAsString(GetLookupValue());
    }
    if (list_->HighlightedRecord() >= 0 || AlwaysCopyExtraKeys()) {
        TDataSet* dataSet = field->DataSet();
        for (TField* key : {list_->SecondKeyField(), list_->ThirdKeyField()})
            if (key)
                if (TField* target = dataSet->FindField(key->FieldName())) target->SetAsString(key->AsString());
    }
}

void TwwDBCustomLookupCombo::Loaded() {
    TwwDBCustomCombo::Loaded();
    setReadOnly(false);
}

void TwwDBCustomLookupCombo::SaveValues() {
    savedDisplayText_ = Text();
    savedLookupValue_ = GetLookupValue();
}

void TwwDBCustomLookupCombo::SelectAllIfTyping() {
    if (AllowsTyping()) SelectAll();
}

void TwwDBCustomLookupCombo::RestoreSavedValues() {
    list_->SetCachedDisplayValue(savedDisplayText_);
    setText(savedDisplayText_);
    list_->SetCachedValues(savedLookupValue_, list_->GetSecondValue(), list_->GetThirdValue());
}
