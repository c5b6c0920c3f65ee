// TwwCustomDBGrid's picture cells: "Bitmap" cells show a picture read from a blob field, "ImageIndex" cells
// the picture of the ImageList whose number the field holds.
#include "controls/edit/WwDrawing.h"
#include "controls/edit/WwLocate.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Graphic.h"
#include "platform/ui/ImageList.h"

#include <QPainter>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

// The copy modes by name; any other text copies.
QPainter::CompositionMode CopyModeNamed(const QString& name) {
    static const std::pair<const char*, QPainter::CompositionMode> kModes[] = {
        {"Source Paint", QPainter::RasterOp_SourceOrDestination},
        {"Source And", QPainter::RasterOp_SourceAndDestination},
        {"Source Invert", QPainter::RasterOp_SourceXorDestination},
        {"Source Erase", QPainter::RasterOp_SourceAndNotDestination},
        {"Not Source Copy", QPainter::RasterOp_NotSource},
        {"Not Source Erase", QPainter::RasterOp_NotSourceAndNotDestination},
        {"Merge Paint", QPainter::RasterOp_NotSourceOrDestination},
    };
    for (const auto& [text, mode] : kModes)
        if (name == QLatin1String(text)) return mode;
    return QPainter::CompositionMode_Source;
}

// A blob may start with an 8-byte header (16-bit 1, 16-bit 256, 32-bit length of what follows).
QByteArray WithoutPictureHeader(const QByteArray& blob) {
    if (blob.size() <= 7) return blob;
    const auto word = [&](int at) { return quint16(uchar(blob[at]) | uchar(blob[at + 1]) << 8); };
    quint32 length = 0;
    std::memcpy(&length, blob.constData() + 4, 4);
    if (word(0) == 1 && word(2) == 256 && qint64(length) + 8 == blob.size()) return blob.mid(8);
    return blob;
}

}  // namespace

bool TwwCustomDBGrid::PaintControlCellBackground(int col, int row, const TRect& rect, TGridDrawState state) {
    TCanvas& canvas = GetPaintCanvas();
    canvas.Brush().Color = state.Contains(gdFixed) ? TitleColor : Color();
    drawnDataRow_ = cellInfo_.DataRow;
    drawnDataCol_ = cellInfo_.DataCol;
    const bool highlight = ApplyDataCellColors(col, row, state, QString());
    if (!highlight) return false;
    canvas.FillRect(rect);
    if (Focused() && !designing_ && !options_.Contains(dgRowSelect)) focusFramePending_ = true;
    return true;
}

void TwwCustomDBGrid::DrawBitmapCell(int col, int row, const TRect& rect, TGridDrawState state, const QString& params) {
    TField* field = cellInfo_.Field;
    TField* source = field;
    bool found = true;
    if (field->Lookup()) {
        // The picture is the lookup dataset's result field on the record the key finds.
        TDataSet* dataSet = dataLink_->DataSet();
        TField* key = dataSet ? dataSet->FindField(field->KeyFields) : nullptr;
        found = key && field->LookupDataSet &&
                LocateFieldValue(*field->LookupDataSet, key->AsString(), field->LookupKeyFields, mtExactMatch, false);
        source = found ? field->LookupDataSet->FindField(field->LookupResultField) : nullptr;
    } else if (field->Calculated()) {
        // No picture field stands behind a calculated field here.
        source = nullptr;
    }
    auto picture = std::make_unique<TBitmap>();
    const auto* blob = dynamic_cast<const TBlobField*>(source);
    TDataSet* dataSet = dataLink_->DataSet();
    const bool inserting = dataSet && dataSet->State() == dsInsert && row == Row() && source == field;
    if (blob && !inserting && !blob->IsNull()) {
        try {
            picture->LoadFromBytes(WithoutPictureHeader(blob->AsBytes()));
        } catch (const Exception&) {
            // A damaged picture would raise at every repaint; its cell shows the background alone.
            picture = std::make_unique<TBitmap>();
        }
    }
    const bool highlight = PaintControlCellBackground(col, row, rect, state);
    const int W = picture->Width();
    const int H = picture->Height();
    if (W >= 1 && H >= 1) {
        const QString drawMode = params.section(QLatin1Char(';'), 0, 0);
        const int w = rect.Width();
        const int h = rect.Height();
        const int xo = options_.Contains(dgColLines) ? 1 : 0;
        const int yo = options_.Contains(dgRowLines) ? 1 : 0;
        QPainter& painter = GetPaintCanvas().Painter();
        painter.save();
        painter.setCompositionMode(CopyModeNamed(params.section(QLatin1Char(';'), 1, 1)));
        const QImage& image = picture->Image();
        const auto copy = [&](const QRect& from, const QRect& to) { painter.drawImage(to, image, from); };
        if (drawMode == QLatin1String("Original Size")) {
            const int sw = std::min(W, w - 1);
            const int sh = std::min(H, h - 1);
            if (sw > 0 && sh > 0)
                copy(QRect(0, 0, sw, sh),
                     QRect(QPoint(rect.Left + xo, rect.Top + yo), QPoint(rect.Left + sw, rect.Top + sh)));
        } else if (drawMode == QLatin1String("Stretch To Fit")) {
            copy(QRect(0, 0, W, H), ui::ToQRect(rect));
        } else if (drawMode == QLatin1String("Fit Height") || drawMode == QLatin1String("Fit Width")) {
            // One side fills the cell; the other keeps the picture's proportion, cut (with its source) where the
            // cell is shorter.
            const auto fit = [](int source, int sourceOther, int cell, int cellOther) {
                const int scaled = source * cellOther / sourceOther;
                return cell < scaled ? std::pair{cell, source * cell / scaled} : std::pair{scaled, source};
            };
            if (drawMode == QLatin1String("Fit Height")) {
                const auto [drawn, sourceWidth] = fit(W, H, w, h);
                if (drawn > 2 && h > 2)
                    copy(QRect(0, 0, sourceWidth, H),
                         QRect(QPoint(rect.Left + xo, rect.Top), QPoint(rect.Left + drawn - 1, rect.Top + h - yo - 1)));
            } else {
                const auto [drawn, sourceHeight] = fit(H, W, h, w);
                if (w > 2 && drawn > 2)
                    copy(QRect(0, 0, W, sourceHeight),
                         QRect(QPoint(rect.Left + xo, rect.Top), QPoint(rect.Left + w - 1, rect.Top + drawn - yo - 1)));
            }
        }
        painter.restore();
    }
    if (highlight) {
        // The frame takes the place of the row lines.
        TCanvas& canvas = GetPaintCanvas();
        const TColor brush = canvas.Brush().Color;
        canvas.Brush().Color = clHighlight;
        canvas.FrameRect(rect);
        canvas.Brush().Color = brush;
        linesDrawn_ = true;
    }
}

void TwwCustomDBGrid::DrawImageIndexCell(int col, int row, const TRect& rect, TGridDrawState state,
                                         const QString& params) {
    TCanvas& canvas = GetPaintCanvas();
    PaintControlCellBackground(col, row, rect, state);
    if (brushChanged_) canvas.FillRect(rect);
    TField* field = cellInfo_.Field;
    const bool integer = dynamic_cast<TIntegerField*>(field) != nullptr;
    const bool floating = dynamic_cast<TFloatField*>(field) != nullptr;
    if (!ImageList || !(integer || floating)) return;
    const int imageWidth = ImageList->Width();
    const int imageHeight = ImageList->Height();
    // The picture is made in a scratch image on the cell's background, then copied (cut or shrunk) in.
    QImage scratch(imageWidth, imageHeight, QImage::Format_RGB32);
    const bool alternate = IsAlternateRow(cellInfo_.DataRow, arrDataColumns) && !state.Contains(gdSelected);
    const TColor background = alternate ? PaintOptions.AlternatingRowColor() : canvas.Brush().Color;
    const TRect target{std::max(rect.Left, (rect.Left + rect.Right - imageWidth) / 2),
                       std::max(rect.Top, (rect.Top + rect.Bottom - imageHeight) / 2), 0, 0};
    const int width = std::min(imageWidth, rect.Width());
    const int height = std::min(imageHeight, rect.Height());
    const QRect to(target.Left, target.Top, width, height);
    {
        QPainter painter(&scratch);
        if (ImageList->DrawingStyle == dsTransparent) {
            // The picture lands on what the cell shows.
            painter.fillRect(scratch.rect(), ui::ToQColor(background));
            if (const QImage* shown = dynamic_cast<QImage*>(canvas.Painter().device()))
                painter.drawImage(QPoint(0, 0), *shown, to);
        } else {
            painter.fillRect(scratch.rect(), ui::ToQColor(background));
        }
        TCanvas scratchCanvas(painter);
        if (!field->IsNull()) {
            const double value = integer ? double(field->AsInteger()) : field->AsFloat();
            if (value >= 0) ImageList->Draw(scratchCanvas, 0, 0, static_cast<int>(std::trunc(value)));
        }
    }
    QPainter& painter = canvas.Painter();
    if (params.section(QLatin1Char(';'), 0, 0) == QLatin1String("Shrink To Fit")) {
        painter.drawImage(to, scratch);
    } else {
        // A picture larger than the cell is cut, keeping a pixel free at the right and bottom for the lines.
        const QRect part(0, 0, std::min(rect.Width() - 2, imageWidth), std::min(rect.Height() - 2, imageHeight));
        painter.drawImage(QPoint(to.left(), to.top()), scratch, part);
    }
    if (focusFramePending_) DrawCellFocusFrame(canvas, rect);
}
