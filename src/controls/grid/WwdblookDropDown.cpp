// Dropping the lookup list down (its height, width and place on the screen) and closing it, with what the
// close writes into the record and reports.
#include "controls/grid/Wwdblook.h"

#include "controls/edit/WwCommon.h"
#include "controls/edit/WwFieldLists.h"
#include "controls/edit/WwWindows.h"
#include "platform/db/Field.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Application.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/PopupTracker.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QStyle>

namespace {

int TextWidthIn(const TFont& font, const QString& text) {
    QImage image(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&image);
    canvas.Font().Assign(font);
    return canvas.TextWidth(text);
}

// The grid measures its rows from its viewport, which a window lays out only once shown: the list is shown
// as soon as it has its size, before its rows are counted.
void SetListGeometry(QWidget& list, const QRect& rect) {
    list.setGeometry(rect);
    if (list.isHidden()) list.show();
}

}  // namespace

int TwwDBCustomLookupCombo::ListHeightFor(int rows) const {
    const int titles = list_->TitleRowCount();
    const int line = Options().Contains(loRowLines) ? 1 : 0;
    return (titles * list_->TitleLines() + rows) * (list_->DefaultRowHeight() + line) + 3 * titles + 2;
}

int TwwDBCustomLookupCombo::ColumnsWidth(int skipLast) {
    const int zero = TextWidthIn(list_->Font(), QStringLiteral("0"));
    const bool titles = Options().Contains(loTitles);
    TDataSet* table = LookupTable();
    int sum = VerticalScrollBarWidth() + 1;
    const auto column = [&](int displayWidth, const QString& label) {
        int width = zero * displayWidth + list_->GridLineWidth();
        if (titles) width = qMax(width, TextWidthIn(list_->TitleFont(), label));
        sum += width;
    };
    if (UseTFields()) {
        const int count = list_->DataLink().MappedCount();
        for (int i = 0; i < count - skipLast; ++i)
            if (TField* field = list_->DataLink().GetMappedField(i))
                column(field->DisplayWidth(), field->DisplayLabel());
    } else {
        for (int i = 0; i < Selected().Count() - skipLast; ++i) {
            const QStringList parts = Selected().Strings(i).split(QLatin1Char('\t'));
            TField* field = table ? table->FindField(parts.value(0)) : nullptr;
            column(parts.value(1).toInt(), parts.size() > 2 ? parts[2] : (field ? field->DisplayLabel() : parts[0]));
        }
    }
    return sum;
}

void TwwDBCustomLookupCombo::PositionDropDown() {
    if (width() <= 20) return;
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    const int listHeight = list_->height();
    int y = origin.y() + height() - (hasFrame() ? 1 : 0);
    const TRect work = GetWorkArea();
    const int workHeight = RectHeight(work) > 0 ? RectHeight(work) : QGuiApplication::primaryScreen()->size().height();
    if (y + listHeight > workHeight) {
        y = origin.y() - listHeight + 1;
        if (y < 0) y = origin.y() + height() - 1;
    }
    const int columns = list_->ColCount();
    const int lines = columns * list_->GridLineWidth() + GetButtonWidth();
    int w = DropDownWidth;
    if (w == 0) w = ColumnsWidth(0) + lines;
    int x = origin.x();
    if (DropDownAlignment == taRightJustify) {
        w = qMax(width() - 4, qMin(origin.x() + width() - 2, w));
        x = origin.x() + 1 + width() - w;
    } else {
        const int desktopWidth = QGuiApplication::primaryScreen()->geometry().width();
        w = qMax(width() - 4, qMin(desktopWidth - origin.x() - 2, w));
    }
    int h = listHeight;
    if (w <= ColumnsWidth(1) + lines + 1 && dropRows_ > 0) {
        // A horizontal scroll bar will show under the rows.
        const int line = Options().Contains(loRowLines) ? 1 : 0;
        h = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
            (list_->DefaultRowHeight() + line) * (list_->TitleRowCount() + dropRows_) + 5 - 2 * line;
    }
    SetListGeometry(*list_, {x, y, w, h});
}

void TwwDBCustomLookupCombo::DropDown() {
    if (dropping_) return;
    dropping_ = true;
    const auto run = [this] {
        const bool typed = typingDropDown_;
        if (list_->KeyField() == list_->DisplayField() && !typed && DataLink().Active()) UpdateFieldData();
        if (OnPerformCustomSearch) {
            if (DataLink().Active()) UpdateFieldData();
            SaveValues();
        }
        if (OnBeforeDropDown) OnBeforeDropDown(this);
        TDataSet* table = LookupTable();
        if (!table) {
            MessageDlg(QStringLiteral("No lookup table specified!"), mtWarning, {mbOK});
            DropDownHook();
            return;
        }
        list_->SetColor(DropDownGridOptions.Color);
        list_->SetTitleLines(DropDownGridOptions.TitleLines);
        list_->SetTitleAlignment(DropDownGridOptions.TitleAlignment);
        if (IsDroppedDown() || width() <= 20) return;
        list_->SetHighlightedRecord(-1);
        if (Selected().Count() == 0) {
            TField* display = list_->DisplayField();
            if (!display) display = table->FindField(LookupField().section(QLatin1Char(';'), 0, 0));
            if (display)
                Selected().Add(display->FieldName() + QLatin1Char('\t') + QString::number(display->DisplayWidth()) +
                               QLatin1Char('\t') + display->DisplayLabel());
        }
        if (!typed) list_->SyncToLookupValue(true);
        // The fields' new order and visibility come to the list as a layout of its own: a dataset that had its
        // controls disabled meanwhile tells its links only of a data change.
        if (UseTFields() && table->Active()) ApplySelectedToFields(*table, &Selected());
        list_->RebuildLayout();
        if (OnDropDown) OnDropDown(this);

        dropRows_ = DropDownCount == 0 ? 1 : DropDownCount;
        list_->Sizing = true;
        savedShowHint_ = Application->ShowHint();
        Application->SetShowHint(false);
        SetListGeometry(*list_, {list_->x(), list_->y(), qMax(list_->width(), width()), ListHeightFor(dropRows_)});
        PositionDropDown();
        list_->UpdateRowCount();
        list_->Sizing = false;

        const int buffered = list_->DataLink().Active() ? list_->DataLink().RecordCount() : 0;
        if (!Options().Contains(loFixedDropDownHeight) && buffered < dropRows_) {
            dropRows_ = buffered;
            const QString text = Text();
            internalChange_ = true;
            list_->SetShowVertScrollBar(false);
            list_->SetShowHorzScrollBar(ColumnsWidth(1) > list_->width());
            internalChange_ = false;
            list_->Sizing = true;
            SetListGeometry(*list_, {list_->x(), list_->y(), list_->width(), ListHeightFor(dropRows_)});
            PositionDropDown();
            list_->Sizing = false;
            if (Text() != text) {
                setText(text);
                if (!(typed && ShowMatchText)) setCursorPosition(text.size());
            }
        } else if (!list_->ShowVertScrollBar()) {
            internalChange_ = true;
            list_->SetShowVertScrollBar(true);
            internalChange_ = false;
        }
        if (LookupField().isEmpty()) list_->SetCachedDisplayValue(Text());
        list_->SetColumnAttributes();
        list_->UpdateRowCount();
        list_->UpdateScrollBar();
        list_->show();
        lastSearchedText_ = list_->GetDisplayValue();
        if (QApplication::activeWindow() != window()) window()->activateWindow();
        SetFocus();
        setReadOnly(!CanEdit());
        if (!typed && AllowsTyping() && !(ShowMatchText && selectionStart() > 0)) SelectAll();
        update();
        ui::PopupTracker::Instance().Register(list_, this, [this] { CMCancelMode(nullptr); });
    };
    try {
        run();
    } catch (...) {
        list_->Sizing = false;
        dropping_ = false;
        throw;
    }
    dropping_ = false;
}

void TwwDBCustomLookupCombo::CMCancelMode(QObject* sender) {
    if (Modified() && !found_) {
        EditField();
        if (DataLink().Editing()) DataLink().Modified();
    }
    if (sender == this || sender == ButtonHolder() || sender == Button() || sender == list_) return;
    if (!IsDroppedDown()) return;
    AcceptListRecord();
    if (found_) ListClick();
    CloseUp(true);
}

void TwwDBCustomLookupCombo::HideList() {
    list_->hide();
    ui::PopupTracker::Instance().Unregister(list_);
}

void TwwDBCustomLookupCombo::FinishClose() {
    closing_ = false;
    ui::PopupTracker::Instance().Unregister(list_);
    Application->SetShowHint(savedShowHint_);
}

void TwwDBCustomLookupCombo::CloseUp(bool accept) {
    if (closing_) return;
    if (!IsDroppedDown()) {
        ValidateClosedText();
        return;
    }
    closing_ = true;
    try {
        CloseOpenList(accept);
    } catch (...) {
        HideList();
        forwarding_ = storing_ = false;
        update();
        FinishClose();
        throw;
    }
}

void TwwDBCustomLookupCombo::ValidateClosedText() {
    if (!list_->DisplayField()) return;
    const bool keyIsDisplay = list_->KeyField() == list_->DisplayField();
    const auto restore = [this] {
        SetDisplayValue(savedDisplayText_);
        list_->SetCachedValues(savedLookupValue_, list_->GetSecondValue(), list_->GetThirdValue());
        setText(savedDisplayText_);
        if (focused_) SelectAll();
    };
    if (OnNotInList) {
        if (Text() == savedDisplayText_ || forwarding_ ||
            !(IsBoundToLookupField() || !list_->DisplayField()->Calculated()))
            return;
        SetSearchOrder(true);
        bool found = false;
        if (!Text().isEmpty()) {
            PerformSearch();
            found = found_;
        }
        if (!found) {
            bool accept = true;
            forwarding_ = true;
            try {
                if (!Text().isEmpty()) OnNotInList(this, LookupTable(), Text(), accept);
                if (!accept) restore();
            } catch (...) {
                forwarding_ = false;
                throw;
            }
            forwarding_ = false;
        }
        savedDisplayText_ = Text();
    } else if (Style == csDropDown && !keyIsDisplay && Text() != savedDisplayText_ && !forwarding_ && !found_) {
        restore();
    }
}

void TwwDBCustomLookupCombo::CloseOpenList(bool accept) {
    const bool wasFound = found_;
    bool notInListAccepted = false;
    const bool unbound = !DataSource() || !DataSource()->DataSet();
    const bool lookupBound = IsBoundToLookupField();
    const bool keyIsDisplay = list_->KeyField() == list_->DisplayField();
    const bool mayWrite = DataLink().Editing() || lookupBound || unbound;
    bool modified = accept;

    if (!found_ && accept && mayWrite) {
        HideList();
        update();
        found_ = true;
        if ((Style == csDropDown && keyIsDisplay) || OnNotInList) {
            notInListAccepted = true;
            if (OnNotInList && !Text().isEmpty()) {
                forwarding_ = true;
                try {
                    OnNotInList(this, LookupTable(), Text(), notInListAccepted);
                } catch (...) {
                    forwarding_ = false;
                    throw;
                }
            }
            if (notInListAccepted) savedDisplayText_ = Text();
            forwarding_ = false;
            if (!notInListAccepted) {
                SetDisplayValue(savedDisplayText_);
                if (Text() != savedDisplayText_) setText(savedDisplayText_);
                SetLookupValue(savedLookupValue_);
                FinishClose();
                return;
            }
            if (keyIsDisplay) {
                SetLookupValue(Text());
                SetDisplayValue(Text());
                if (Field() && Field()->AsString() != Text()) Field()->SetAsString(Text());
            } else if (!lookupBound) {
                list_->SetCachedValues(list_->KeyField() ? list_->KeyField()->AsString() : QString(),
                                       list_->GetSecondValue(), list_->GetThirdValue());
                if (unbound) setText(searchedText_);
            }
        } else if (Style == csDropDown && Text() != savedDisplayText_) {
            SetDisplayValue(savedDisplayText_);
            if (!lookupBound)
                list_->SetCachedValues(savedLookupValue_, list_->GetSecondValue(), list_->GetThirdValue());
            setText(savedDisplayText_);
        }
    }

    if (accept && mayWrite) {
        if (unbound) {
            if (wasFound && !notInListAccepted)
                setText(keyIsDisplay || !list_->DisplayField() ? GetLookupValue() : list_->DisplayField()->AsString());
            if (wasFound) {
                ListClick();
            } else if ((!notInListAccepted && Style == csDropDownList) || !keyIsDisplay) {
                if (AllowClearKey && !notInListAccepted) {
                    setText(QString());
                    list_->SetCachedValues({}, list_->GetSecondValue(), list_->GetThirdValue());
                } else if (!notInListAccepted) {
                    if (Style == csDropDownList && Text() != savedDisplayText_) setText(savedDisplayText_);
                    SetDisplayValue(savedDisplayText_);
                    SetLookupValue(savedLookupValue_);
                    // The restore shows what was shown, whether or not the table still finds it.
                    if (Style == csDropDownList && Text() != savedDisplayText_) setText(savedDisplayText_);
                }
            }
            // A value that was neither found nor accepted is no choice, though the close accepted.
            modified = wasFound || notInListAccepted;
        } else if (lookupBound) {
            update();
            HideList();
            StoreLookupValues(LookupTable(), modified);
            setText(Field()->AsString());
            SelectAll();
        } else {
            modified = false;
            TDataSet* dataSet = DataSource()->DataSet();
            if (list_->HighlightedRecord() >= 0)
                for (TField* key : {list_->SecondKeyField(), list_->ThirdKeyField()})
                    if (key)
                        if (TField* target = dataSet->FindField(key->FieldName())) {
                            if (target->AsString() != key->AsString()) modified = true;
                            target->SetAsString(key->AsString());
                        }
            if (TField* field = Field()) {
                if (field->AsString() != GetLookupValue()) modified = true;
                if (modified) {
                    storing_ = true;
                    if (Style == csDropDownList && !found_ && !keyIsDisplay) setText(list_->GetDisplayValue());
                    try {
                        field->SetAsString(GetLookupValue());
                    } catch (...) {
                        if (!hasFocus()) RestoreSavedValues();
                        update();
                        throw;
                    }
                } else if (Style == csDropDownList && !found_) {
                    list_->SetCachedDisplayValue(savedDisplayText_);
                    if (OnNotInList && !notInListAccepted)
                        list_->SetCachedValues(savedLookupValue_, list_->GetSecondValue(), list_->GetThirdValue());
                    setText(savedDisplayText_);
                }
                storing_ = false;
                update();
            }
        }
    } else {
        modified = false;
    }

    HideList();
    update();
    if (modified) {
        savedDisplayText_ = Text();
        savedLookupValue_ = GetLookupValue();
    }
    setModified(modified);
    if (OnCloseUp) OnCloseUp(this, LookupTable(), DataSource() ? DataSource()->DataSet() : nullptr, modified);
    FinishClose();
}
