// TwwCustomDBGrid's footer: a strip between the cells and the horizontal scroll bar with one sunken box per
// column that has a footer value.
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/Field.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Dispatch.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

// The strip lives outside the scroll area's viewport (in its bottom margin), so it has a widget of its own.
class FooterWidget : public QWidget {
public:
    FooterWidget(QWidget* parent, TwwCustomDBGrid* grid) : QWidget(parent), grid_(grid) {}

protected:
    void paintEvent(QPaintEvent*) override {
        ui::Dispatch(this, [&] {
            QPainter painter(this);
            TCanvas canvas(painter);
            grid_->PaintFooter(canvas);
        });
    }

private:
    TwwCustomDBGrid* grid_;
};

void Line(TCanvas& canvas, int x0, int y0, int x1, int y1, TColor color) {
    canvas.Pen().Color = color;
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

}  // namespace

void TwwCustomDBGrid::SetFooterHeight(int value) {
    value = std::max(value, 0);
    if (value == footerHeight_) return;
    footerHeight_ = value;
    RebuildLayout();
}

int TwwCustomDBGrid::FooterStripHeight() {
    if (!options_.Contains(dgShowFooter)) return 0;
    int height = footerHeight_;
    if (height == 0) {
        TCanvas& canvas = GetPaintCanvas();
        canvas.Font().Assign(Font());
        height = canvas.TextHeight(QStringLiteral("W")) + 6;
    }
    return height + (options_.Contains(dgFooter3DCells) ? 2 : 0);
}

void TwwCustomDBGrid::PlaceFooter() {
    const int height = FooterStripHeight();
    if (height > 0 && !footer_) footer_ = new FooterWidget(this, this);
    setViewportMargins(0, 0, 0, height);
    if (!footer_) return;
    const QRect cells = viewport()->geometry();
    footer_->setGeometry(cells.left(), cells.bottom() + 1, cells.width(), height);
    footer_->setVisible(height > 0);
    footer_->update();
}

void TwwCustomDBGrid::PaintFooter(TCanvas& canvas) {
    const int width = footer_ ? footer_->width() : ClientWidth();
    const int height = footer_ ? footer_->height() : FooterStripHeight();
    canvas.Brush().Color = FooterColor;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect({0, 0, width, height});
    Line(canvas, 0, 0, 0, height, LineColors.HighlightColor);
    Line(canvas, 0, height - 1, width, height - 1, clBlack);
    if (!dataLink_->Active()) return;
    const bool cells3D = options_.Contains(dgFooter3DCells);
    for (int col = LeftCol(); col < ColCount(); ++col) {
        const int left = Horz().Start(col);
        if (left >= width) break;
        const int dataCol = DataColumnOf(col);
        if (dataCol < 0 || dataCol >= static_cast<int>(columns_.size())) continue;
        const QString text = columns_[dataCol]->FooterValue;
        TField* field = GetColumnField(dataCol);
        const int right = left + ColWidths(col);
        canvas.Brush().Color = FooterCellColor;
        canvas.Font().Assign(Font());
        bool defaultDrawing = true;
        if (OnDrawFooterCell)
            OnDrawFooterCell(&Widget(), canvas, {left, 2, right, height - 2}, field, text, defaultDrawing);
        if (!defaultDrawing || text.isEmpty()) continue;
        const TRect box{left - 1, 1, right, height - 1};
        canvas.FillRect({box.Left, box.Top, box.Right, box.Bottom});
        // Sunken: dark above and left, light below and right.
        Line(canvas, box.Left + 1, box.Bottom - 2, box.Left + 1, box.Top + 1, LineColors.ShadowColor);
        canvas.LineTo(box.Right - 1, box.Top + 1);
        if (cells3D) {
            Line(canvas, box.Left + 2, box.Bottom - 2, box.Left + 2, box.Top + 2, clBlack);
            canvas.LineTo(box.Right - 1, box.Top + 2);
        }
        Line(canvas, box.Left + 2, box.Bottom - 2, box.Right - 1, box.Bottom - 2, LineColors.HighlightColor);
        canvas.LineTo(box.Right - 1, box.Top + 1);
        const int textHeight = canvas.TextHeight(QStringLiteral("A"));
        const QRect textBox(box.Left + 5, box.Top + (box.Height() - textHeight) / 2, ColWidths(col) - 7, textHeight);
        const TAlignment alignment = field ? field->Alignment() : taLeftJustify;
        QPainter& painter = canvas.Painter();
        painter.save();
        painter.setFont(canvas.Font().ToQFont());
        painter.setPen(ui::ToQColor(canvas.Font().Color()));
        const int align = alignment == taRightJustify ? Qt::AlignRight : alignment == taCenter ? Qt::AlignHCenter : 0;
        painter.drawText(textBox, align | Qt::AlignTop | Qt::TextExpandTabs, text);
        painter.restore();
    }
}
