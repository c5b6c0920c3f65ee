// TwwCustomDBGrid's cell hints: a cell whose text does not fit shows it whole in a hint window at the cell's
// place, until the mouse leaves the cell or the hint has shown for a while.
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/Field.h"
#include "platform/ui/InplaceEdit.h"
#include "platform/ui/Timer.h"

#include <QCursor>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>

namespace {

constexpr int kHintInterval = 250;
// The framework's default hint hide pause, in milliseconds.
constexpr int kHintHidePause = 2500;
constexpr int kMinimumHintTicks = 16;

int MeasureFlags(bool wordWrap, const QString& text) {
    int flags = Qt::TextWordWrap * (wordWrap ? 1 : 0);
    if (text.contains(QLatin1Char('\t'))) flags |= Qt::TextExpandTabs;
    return flags;
}

}  // namespace

// The hint window: the field it shows, its alignment and whether it wraps.
class TwwGridHintWindow : public QLabel {
public:
    explicit TwwGridHintWindow(QWidget* owner) : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
        setAutoFillBackground(true);
        setPalette(QPalette(palette().color(QPalette::ToolTipText), palette().color(QPalette::ToolTipBase)));
        setContentsMargins(1, 2, 0, 0);
    }
    TField* Field = nullptr;
    bool WordWrap = true;
    TAlignment Alignment = taLeftJustify;
};

struct TwwCustomDBGrid::CellHint {
    TGridCoord cell{-1, -1};
    TwwGridHintWindow* window = nullptr;
    TTimer* timer = nullptr;
    int ticks = 0;
    ~CellHint() {
        delete window;
        delete timer;
    }
};

QWidget* TwwCustomDBGrid::CellHintWindow() const { return cellHint_ ? cellHint_->window : nullptr; }

void TwwCustomDBGrid::HideCellHint() {
    if (!cellHint_) return;
    cellHint_->ticks = 0;
    delete cellHint_->window;
    cellHint_->window = nullptr;
    if (cellHint_->timer) cellHint_->timer->SetEnabled(false);
}

void TwwCustomDBGrid::ShowCellHint(int col, int row) {
    if (!options_.Contains(dgShowCellHint) || !DataLinkActive()) return;
    if (!cellHint_) cellHint_ = std::make_shared<CellHint>();
    if (cellHint_->cell == TGridCoord{col, row}) return;
    cellHint_->cell = {col, row};
    HideCellHint();
    if (col < indicatorOffset_ || row < titleRows_ || !IsDataCell(col, row)) return;
    if (TGridCoord{col, row} == TGridCoord{Col(), Row()} && InplaceEditor() && InplaceEditor()->isVisible()) return;
    const int dataCol = DataColumnOf(col);
    TField* field = GetColumnField(dataCol);
    if (!field || (dynamic_cast<const TBlobField*>(field) && field->DataType() != ftMemo)) return;
    QString text;
    WithRowRecord(DataRowOf(row) - firstRecordOffset_, [&] { text = GetCellText(dataCol); });
    if (text.isEmpty()) return;

    const TRect cell = CellRect(col, row);
    const bool wrap = options_.Contains(dgWordWrap);
    const QFontMetrics metrics(Font().ToQFont());
    const QRect fit =
        metrics.boundingRect(QRect(0, 0, std::max(cell.Width() - 4, 1), 10000), MeasureFlags(wrap, text), text);
    if (fit.height() <= cell.Height() && fit.width() < cell.Width() - 1) return;

    auto* window = new TwwGridHintWindow(this);
    window->Field = field;
    window->Alignment = field->Alignment();
    window->setFont(Font().ToQFont());
    const int maxHeight = cell.Height() - 2;
    const int maxWidth = std::max(screen() ? screen()->geometry().width() : 4096, cell.Width() - 4);
    window->setText(text);
    window->setWordWrap(window->WordWrap);
    const QRect measured =
        metrics.boundingRect(QRect(0, 0, maxWidth, std::max(maxHeight, 1)), MeasureFlags(window->WordWrap, text), text);
    const int width = std::min(measured.width(), maxWidth);
    TRect rect = cell;
    rect.Bottom = cell.Bottom - 2;
    if (window->Alignment == taRightJustify || window->Alignment == taCenter) {
        rect.Left = rect.Right - width - 8;
        window->setAlignment(Qt::AlignRight | Qt::AlignTop);
    } else {
        rect.Right = rect.Left + width + 8;
    }
    const QPoint topLeft = viewport()->mapToGlobal(QPoint(rect.Left, rect.Top - 1));
    window->setGeometry(topLeft.x(), topLeft.y(), rect.Width(), std::max(rect.Height(), 1));
    window->show();
    cellHint_->window = window;
    if (!cellHint_->timer) {
        cellHint_->timer = new TTimer(this);
        cellHint_->timer->SetInterval(kHintInterval);
        cellHint_->timer->SetOnTimer([this](QObject*) { HintTimerTick(); });
    }
    cellHint_->timer->SetEnabled(true);
}

void TwwCustomDBGrid::HintTimerTick() {
    if (!cellHint_) return;
    const QPoint mouse = viewport()->mapFromGlobal(QCursor::pos());
    HintTick(mouse.x(), mouse.y());
}

void TwwCustomDBGrid::HintTick(int x, int y) {
    if (!cellHint_ || !cellHint_->window) return;
    const TRect cell = CellRect(cellHint_->cell.X, cellHint_->cell.Y);
    const QRect around = ui::ToQRect(cell).adjusted(-1, -1, 1, 1);
    if (around.contains(x, y) && viewport()->rect().contains(x, y)) {
        if (++cellHint_->ticks > std::max(kHintHidePause / kHintInterval, kMinimumHintTicks)) HideCellHint();
        return;
    }
    HideCellHint();
    // The next move over any cell shows a hint again.
    cellHint_->cell = {0, 0};
}
