// TwwCustomDBGrid's mouse: clicks that move the current cell, title buttons, the title drag that moves columns
// (its image, automatic scrolling and group rules), link cells, the hand cursor over them and the wheel.
#include "controls/grid/WwSelectedList.h"
#include "controls/grid/WwURLLink.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Timer.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QUrl>

namespace {

// How far the mouse must move from the press before a title press becomes a drag.
constexpr int kDragThresholdX = 2;
constexpr int kDragThresholdY = 3;
// The drag's automatic scrolling: its interval and how near an edge the mouse must be.
constexpr int kDragScrollInterval = 100;
constexpr int kDragScrollMargin = 10;

// The insertion mark's arrows, pointing right (towards the border from its left) or left.
constexpr int kArrowSize = 9;

QPixmap Arrow(bool pointingRight) {
    QPixmap pixmap(kArrowSize, kArrowSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const int last = kArrowSize - 1;
    const int middle = kArrowSize / 2;
    painter.drawPolygon(pointingRight ? QPolygon({QPoint(0, 0), QPoint(last, middle), QPoint(0, last)})
                                      : QPolygon({QPoint(last, 0), QPoint(0, middle), QPoint(last, last)}));
    return pixmap;
}

QLabel* MarkLabel(QWidget* parent, bool pointingRight) {
    auto* label = new QLabel(parent);
    label->setPixmap(Arrow(pointingRight));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->resize(kArrowSize, kArrowSize);
    return label;
}

// Only web and mail addresses leave the program; any other text is never handed to the desktop.
bool IsOpenableLink(const QString& address) {
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"));
}

}  // namespace

// What a title press knows until the button comes up.
struct TwwCustomDBGrid::TitleDrag {
    enum Kind { Column, Group, InGroup };
    QPoint press;
    int source = -1;
    Kind kind = Column;
    bool started = false;
    // +1 while the mouse last moved right, -1 left.
    int direction = 0;
    QPoint mouse;
    // The press point's offset inside the dragged part.
    QPoint grab;
    TRect dragRect;
    QLabel* image = nullptr;
    // The insertion mark: an arrow each side of the border where the column would land.
    QLabel* markLeft = nullptr;
    QLabel* markRight = nullptr;
    TTimer* timer = nullptr;
    ~TitleDrag() {
        delete image;
        delete markLeft;
        delete markRight;
        delete timer;
    }
};

std::function<void(const QString&)>& TwwCustomDBGrid::UrlOpener() {
    static std::function<void(const QString&)> opener = [](const QString& address) {
        QDesktopServices::openUrl(QUrl(address.trimmed(), QUrl::StrictMode));
    };
    return opener;
}

namespace {

// The group name of a grid column (part 4 of its Selected line); empty when it has none.
QString GroupOfColumn(TwwCustomDBGrid& grid, int col) {
    const int dataCol = col - grid.IndicatorOffset();
    if (dataCol < 0 || col >= grid.ColCount()) return {};
    return grid.GetColumnByDataCol(dataCol)->GetGroupName();
}

// The first and last grid columns of a column's group.
std::pair<int, int> GroupRange(TwwCustomDBGrid& grid, int col) {
    const QString group = GroupOfColumn(grid, col);
    int first = col;
    int last = col;
    while (first - 1 >= grid.FixedCols() && GroupOfColumn(grid, first - 1) == group) --first;
    while (last + 1 < grid.ColCount() && GroupOfColumn(grid, last + 1) == group) ++last;
    return {first, last};
}

// The upper half of a grouped column's title: its group header.
bool InGroupHeader(TwwCustomDBGrid& grid, int col, int y) {
    if (GroupOfColumn(grid, col).isEmpty()) return false;
    const TRect title = grid.CellRect(col, 0);
    return y >= title.Top && y < title.Top + title.Height() / 2;
}

}  // namespace

void TwwCustomDBGrid::ClearPressedTitle() {
    pressedTitle_ = {-1, -1};
    pressedGroupHeader_ = false;
}

void TwwCustomDBGrid::RepaintTitleCells() {
    if (titleRows_ > 0) InvalidateRow(0);
}

void TwwCustomDBGrid::TitleButtonPress(int col, int row, int y) {
    if (!TitleButtons || designing_) return;
    pressedTitle_ = {col, row};
    pressedGroupHeader_ = InGroupHeader(*this, col, y);
    RepaintTitleCells();
}

void TwwCustomDBGrid::DoTitleButtonClick(const QString& fieldName) {
    if (OnTitleButtonClick) OnTitleButtonClick(&Widget(), fieldName);
}

// ---- pressing

void TwwCustomDBGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    resizedCol_ = -1;
    resizedColWidth_ = 0;
    HideCellHint();
    if (button == mbLeft && shift.Contains(ssDouble)) {
        const TGridCoord border = MouseCoord(x - 5, y);
        const TRect title =
            border.X >= 0 && border.Y >= 0 && border.Y < titleRows_ ? CellRect(border.X, border.Y) : TRect{};
        if (FocusGrid() && options_.Contains(dgDblClickColSizing) && title.Width() > 0 && x - 5 >= title.Right - 8 &&
            border.X >= indicatorOffset_)
            AutoSizeColumn(border.X);
        else DblClick();
        return;
    }
    TGridState sizing = gsNormal;
    int index = -1;
    CalcSizingState(x, y, sizing, index);
    if (sizing != gsNormal) {
        if (sizing == gsColSizing) {
            resizedCol_ = index;
            resizedColWidth_ = ColWidths(index);
        }
        dataLink_->UpdateRecord();
        TCustomGrid::MouseDown(button, shift, x, y);
        return;
    }
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0 || cell.Y < 0) {
        if (FocusGrid()) ui::Fire(OnMouseDown, &Widget(), button, shift, x, y);
        return;
    }
    if (cell.Y < titleRows_) {
        if (!FocusGrid()) return;
        TitleButtonPress(cell.X, cell.Y, y);
        if (options_.Contains(dgColumnResize) && button == mbLeft && cell.X >= FixedCols()) {
            titleDrag_ = std::make_shared<TitleDrag>();
            titleDrag_->press = {x, y};
            titleDrag_->mouse = {x, y};
            titleDrag_->source = cell.X;
            if (!GroupOfColumn(*this, cell.X).isEmpty())
                titleDrag_->kind = InGroupHeader(*this, cell.X, y) ? TitleDrag::Group : TitleDrag::InGroup;
        }
        ui::Fire(OnMouseDown, &Widget(), button, shift, x, y);
        return;
    }
    if (dataLink_->Active() && cell.Y >= FixedRows()) {
        TDataSet& dataSet = *dataLink_->DataSet();
        const TGridCoord before{Col(), Row()};
        if (cell == before) {
            if (!CellHasCustomControl(cell.X, cell.Y) && !IsMemoCell(cell.X, cell.Y) && button != mbRight)
                ShowEditorIfAllowed();
        } else {
            const bool otherRow = cell.Y != Row();
            tabRowMove_ = otherRow;
            checkingRowChange_ = true;
            try {
                if (!FocusGrid()) {
                    tabRowMove_ = false;
                    checkingRowChange_ = false;
                    return;
                }
                if (!options_.Contains(dgRowSelect) && cell.X >= indicatorOffset_ &&
                    (cell.X >= FixedCols() || options_.Contains(dgFixedEditable)))
                    MoveToDataColumn(cell.X - indicatorOffset_);
                const int distance = DataRowOf(cell.Y) - firstRecordOffset_ - dataLink_->ActiveRecord();
                if (distance != 0) dataSet.MoveBy(distance);
            } catch (...) {
                tabRowMove_ = false;
                checkingRowChange_ = false;
                throw;
            }
            tabRowMove_ = false;
            checkingRowChange_ = false;
            if (TGridCoord{Col(), Row()} != before) DoCellChanged();
            if (otherRow && options_.Contains(dgAlwaysShowEditor) && !CellHasCustomControl(Col(), Row()) &&
                !IsMemoCell(Col(), Row()))
                ShowEditorIfAllowed();
        }
        const int dataCol = cell.X - indicatorOffset_;
        if (button == mbLeft && dataCol >= 0 && cell.X < static_cast<int>(colInfo_.size()) &&
            colInfo_[cell.X].Kind == QLatin1String("URL-Link"))
            DoURLOpen(GetColumnField(dataCol));
        // The new position shows before slow handlers run.
        const TRect current = CellRect(Col(), Row());
        if (current.Width() > 0) viewport()->repaint(ui::ToQRect(current));
    }
    ui::Fire(OnMouseDown, &Widget(), button, shift, x, y);
}

void TwwCustomDBGrid::SplitURLLink(const QString& value, QString& text, QString& address) const {
    const qsizetype hash = value.indexOf(QLatin1Char('#'));
    text = hash < 0 ? value : value.left(hash);
    address = hash < 0 ? QString() : value.mid(hash + 1);
    if (address.isEmpty()) address = text;
}

bool TwwCustomDBGrid::DoURLOpen(TField* field) {
    if (!field) return false;
    QString text;
    QString address;
    SplitURLLink(field->AsString(), text, address);
    bool useDefault = true;
    if (OnURLOpen) OnURLOpen(&Widget(), address, field, useDefault);
    if (!useDefault || address.trimmed().isEmpty()) return true;
    address = controls::WithMailScheme(address);
    if (!IsOpenableLink(address)) {
        MessageDlg(QStringLiteral("Only web (http, https) and e-mail (mailto) addresses can be opened from here."),
                   mtWarning, {mbOK});
        return false;
    }
    rtl::HourGlass wait;
    if (UrlOpener()) UrlOpener()(address);
    return true;
}

// ---- moving

void TwwCustomDBGrid::MouseMove(TShiftState shift, int x, int y) {
    TCustomGrid::MouseMove(shift, x, y);
    if (titleDrag_) {
        TitleDrag& drag = *titleDrag_;
        if (!drag.started &&
            (std::abs(x - drag.press.x()) > kDragThresholdX || std::abs(y - drag.press.y()) >= kDragThresholdY))
            StartTitleDrag();
        if (drag.started) MoveTitleDrag(x, y);
        return;
    }
    const TGridCoord cell = MouseCoord(x, y);
    TrackHotURLCell(cell.X, cell.Y);
    ShowCellHint(cell.X, cell.Y);
}

void TwwCustomDBGrid::TrackHotURLCell(int col, int row) {
    const bool link = col >= 0 && row >= titleRows_ && col < static_cast<int>(colInfo_.size()) &&
                      colInfo_[col].Kind == QLatin1String("URL-Link");
    if (link) {
        if (hotURLCell_ != TGridCoord{col, row}) {
            viewport()->setCursor(Qt::PointingHandCursor);
            handCursorShown_ = true;
            if (hotURLCell_.X >= 0) InvalidateCell(hotURLCell_.X, hotURLCell_.Y);
            hotURLCell_ = {col, row};
            InvalidateCell(col, row);
        } else if (handCursorShown_) {
            // The base grid's own tracking reset the cursor on this move.
            viewport()->setCursor(Qt::PointingHandCursor);
        }
        return;
    }
    if (handCursorShown_) ClearHotURLCell();
}

void TwwCustomDBGrid::CalcSizingState(int x, int y, TGridState& state, int& index) {
    state = gsNormal;
    index = -1;
    const TGridCoord cell = MouseCoord(isRightToLeft() ? x + 5 : x - 5, y);
    if (options_.Contains(dgTitles) && cell.Y == 0 && cell.X >= 0) {
        const QString group = GroupOfColumn(*this, cell.X);
        const bool innerBorder = !group.isEmpty() && GroupOfColumn(*this, cell.X + 1) == group;
        if (innerBorder && InGroupHeader(*this, cell.X, y)) return;
        if (IsProportionalColResize() && (cell.X == ColCount() - 1 || cell.X < indicatorOffset_)) return;
    }
    TCustomGrid::CalcSizingState(x, y, state, index);
}

void TwwCustomDBGrid::TopLeftChanged() {
    HideCellHint();
    TCustomGrid::TopLeftChanged();
    ui::Fire(OnLeftColChanged, &Widget());
    RepaintTitleCells();
    if (footer_) footer_->update();
}

bool TwwCustomDBGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) ui::Dispatch(this, [this] { ClearHotURLCell(); });
    return TCustomGrid::viewportEvent(event);
}

void TwwCustomDBGrid::ClearHotURLCell() {
    handCursorShown_ = false;
    if (hotURLCell_.X >= 0) {
        viewport()->unsetCursor();
        if (hotURLCell_.Y >= titleRows_) InvalidateCell(hotURLCell_.X, hotURLCell_.Y);
    }
    hotURLCell_ = {-1, -1};
}

void TwwCustomDBGrid::StartTitleDrag() {
    TitleDrag& drag = *titleDrag_;
    ClearPressedTitle();
    RepaintTitleCells();
    titleDragged_ = true;
    drag.started = true;
    TRect rect = CellRect(drag.source, 0);
    if (drag.kind == TitleDrag::Group) {
        const auto [first, last] = GroupRange(*this, drag.source);
        for (int c = first; c <= last; ++c) {
            const TRect member = CellRect(c, 0);
            if (member.Width() <= 0) continue;
            rect.Left = std::min(rect.Left, member.Left);
            rect.Right = std::max(rect.Right, member.Right);
        }
    } else if (drag.kind == TitleDrag::InGroup) {
        rect.Top += rect.Height() / 2;
    }
    // The image never covers more than the grid's cells beside the indicator.
    const int widest = ClientWidth() - (indicatorOffset_ > 0 ? ColWidths(0) + 2 : 0);
    rect.Right = std::min(rect.Right, rect.Left + std::max(widest, 1));
    drag.dragRect = rect;
    drag.grab = drag.press - QPoint(rect.Left, rect.Top);
    drag.image = new QLabel(viewport());
    drag.image->setPixmap(viewport()->grab(ui::ToQRect(rect)));
    drag.image->setAttribute(Qt::WA_TransparentForMouseEvents);
    drag.image->resize(rect.Width(), rect.Height());
    drag.image->show();
    drag.markLeft = MarkLabel(viewport(), true);
    drag.markRight = MarkLabel(viewport(), false);
    drag.timer = new TTimer(this);
    drag.timer->SetInterval(kDragScrollInterval);
    drag.timer->SetOnTimer([this](QObject*) { DragScrollTick(); });
    drag.timer->SetEnabled(true);
}

void TwwCustomDBGrid::MoveTitleDrag(int x, int y) {
    TitleDrag& drag = *titleDrag_;
    const int clampedX = std::clamp(x, 0, std::max(ClientWidth() - 1, 0));
    if (clampedX > drag.mouse.x()) drag.direction = 1;
    else if (clampedX < drag.mouse.x()) drag.direction = -1;
    drag.mouse = {clampedX, std::clamp(y, 0, std::max(ClientHeight() - 1, 0))};
    if (drag.image) drag.image->move(clampedX - drag.grab.x(), drag.dragRect.Top + DragVertOffset);
    PlaceInsertionMark();
}

int TwwCustomDBGrid::TitleDropColumn(int x) const {
    const int titleY = CellRect(FixedCols(), 0).Top;
    int target = MouseCoord(std::max(x, 0), titleY).X;
    if (x < Horz().FixedBoundary()) target = FixedCols();
    else if (target < 0) target = ColCount() - 1;
    return std::clamp(target, FixedCols(), ColCount() - 1);
}

void TwwCustomDBGrid::PlaceInsertionMark() {
    TitleDrag& drag = *titleDrag_;
    if (!drag.markLeft || !drag.markRight) return;
    TwwCustomDBGrid& grid = *this;
    int target = TitleDropColumn(drag.mouse.x());
    const bool right = target > drag.source;
    if (drag.kind == TitleDrag::InGroup) {
        const auto [first, last] = GroupRange(grid, drag.source);
        target = std::clamp(target, first, last);
    } else if (!GroupOfColumn(grid, target).isEmpty()) {
        const auto [first, last] = GroupRange(grid, target);
        target = right ? last : first;
    }
    const TRect cell = CellRect(target, 0);
    const bool shown = target != drag.source && cell.Width() > 0;
    drag.markLeft->setVisible(shown);
    drag.markRight->setVisible(shown);
    if (!shown) return;
    const int border = right ? cell.Right : cell.Left;
    const int top = cell.Top + (cell.Height() - kArrowSize) / 2;
    drag.markLeft->move(border - kArrowSize, top);
    drag.markRight->move(border + 1, top);
}

QWidget* TwwCustomDBGrid::TitleDragImage() const { return titleDrag_ ? titleDrag_->image : nullptr; }

QWidget* TwwCustomDBGrid::InsertionMark() const {
    return titleDrag_ && titleDrag_->markLeft && titleDrag_->markLeft->isVisible() ? titleDrag_->markLeft : nullptr;
}

void TwwCustomDBGrid::DragScrollTick() {
    if (!titleDrag_ || !titleDrag_->image) return;
    const TitleDrag& drag = *titleDrag_;
    if (drag.direction > 0 && drag.mouse.x() >= ClientWidth() - kDragScrollMargin &&
        Horz().LastFullyVisible() < ColCount() - 1)
        SetLeftCol(LeftCol() + 1);
    else if (drag.direction < 0 && drag.mouse.x() <= Horz().FixedBoundary() + kDragScrollMargin &&
             LeftCol() > FixedCols())
        SetLeftCol(LeftCol() - 1);
    else return;
    PlaceInsertionMark();
}

// ---- releasing

void TwwCustomDBGrid::EndTitleDrag(int x, int) {
    const int target = TitleDropColumn(x);
    ClearPressedTitle();
    if (target != titleDrag_->source) DropTitle(target);
    RepaintTitleCells();
}

void TwwCustomDBGrid::DropTitle(int target) {
    const TitleDrag& drag = *titleDrag_;
    const int source = drag.source;
    const bool right = target > source;
    const QString targetGroup = GroupOfColumn(*this, target);
    if (drag.kind == TitleDrag::InGroup) {
        // A column of a group stays inside it.
        if (targetGroup == GroupOfColumn(*this, source)) MoveColumn(source, target);
        return;
    }
    if (drag.kind == TitleDrag::Group) {
        const auto [first, last] = GroupRange(*this, source);
        if (target >= first && target <= last) return;
        int dest = target;
        if (!targetGroup.isEmpty()) {
            const auto [targetFirst, targetLast] = GroupRange(*this, target);
            dest = right ? targetLast : targetFirst;
        }
        const int count = last - first + 1;
        for (int j = 0; j < count; ++j) {
            if (right) MoveColumn(last - j, dest - j);
            else MoveColumn(first + j, dest + j);
        }
        return;
    }
    if (!targetGroup.isEmpty()) {
        // A group is never split: the column lands at its edge.
        const auto [targetFirst, targetLast] = GroupRange(*this, target);
        const int dest = right ? targetLast : targetFirst;
        MoveColumn(source, dest);
        ScrollColumnIntoView(dest);
        return;
    }
    MoveColumn(source, target);
}

void TwwCustomDBGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (titleDrag_) {
        // The drag's state goes however the drop ends.
        try {
            if (titleDrag_->started) EndTitleDrag(x, y);
        } catch (...) {
            titleDrag_.reset();
            throw;
        }
        titleDrag_.reset();
    }
    const TGridState before = GridState();
    const int resized = resizedCol_;
    TCustomGrid::MouseUp(button, shift, x, y);
    if (before == gsColSizing && resized >= 0 && OnColWidthChanged)
        OnColWidthChanged(&Widget(), resized - indicatorOffset_);
    if (pressedTitle_.X >= 0) {
        const TGridCoord pressed = pressedTitle_;
        ClearPressedTitle();
        RepaintTitleCells();
        const QString fieldName = GetColumnFieldName(pressed.X - indicatorOffset_);
        if (MouseCoord(x, y) == pressed && viewport()->rect().contains(x, y) && !titleDragged_ &&
            !fieldName.isEmpty()) {
            const QString group = GroupOfColumn(*this, pressed.X);
            DoTitleButtonClick(!group.isEmpty() && InGroupHeader(*this, pressed.X, y) ? group : fieldName);
        }
    }
    ClearPressedTitle();
    titleDragged_ = false;
    resizedCol_ = -1;
}

void TwwCustomDBGrid::TimedScroll(TGridScrollDirection direction) {
    if (!dataLink_->Active()) return;
    TDataSet& dataSet = *dataLink_->DataSet();
    if (direction.Contains(sdUp)) dataSet.MoveBy(-(dataLink_->ActiveRecord() + 1));
    if (direction.Contains(sdDown)) dataSet.MoveBy(dataLink_->RecordCount() - dataLink_->ActiveRecord());
    TGridScrollDirection sideways = direction;
    sideways.Exclude(sdUp).Exclude(sdDown);
    if (!sideways.IsEmpty()) TCustomGrid::TimedScroll(sideways);
}

// ---- the wheel moves the record, never the rows alone

bool TwwCustomDBGrid::DoMouseWheelDown(TShiftState, TPoint) {
    if (GetDataSource() && dataLink_->DataSet() && dataLink_->Active()) dataLink_->DataSet()->Next();
    return true;
}

bool TwwCustomDBGrid::DoMouseWheelUp(TShiftState, TPoint) {
    if (GetDataSource() && dataLink_->DataSet() && dataLink_->Active()) dataLink_->DataSet()->Prior();
    return true;
}
