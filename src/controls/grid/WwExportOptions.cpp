// The grid export: text, HTML and SYLK documents built from the grid's columns and display texts.
#include "controls/grid/WwExportOptions.h"

#include "controls/edit/WwCheckBox.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/grid/WwMultiSelect.h"
#include "controls/grid/WwProgramName.h"
#include "controls/grid/WwSelectedList.h"
#include "controls/grid/WwURLLink.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/Field.h"
#include "platform/rtl/DurableFiles.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/ui/Application.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Color.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

struct ExportColumn {
    int dataCol = 0;
    TField* field = nullptr;
    bool exported = false;
    QString title;
    // Adjacent columns with the same group name share a title above their own.
    QString group;
    int displayWidth = 0;
    int pixelWidth = 0;
    QString controlKind;
    QString controlParams;
    int sylkFormat = 0;
};

QString ColorToHtmlHex(TColor color) {
    const quint32 rgb = quint32(ColorToRGB(color));
    return QStringLiteral("%1%2%3")
        .arg(rgb & 0xFF, 2, 16, QChar(u'0'))
        .arg((rgb >> 8) & 0xFF, 2, 16, QChar(u'0'))
        .arg((rgb >> 16) & 0xFF, 2, 16, QChar(u'0'))
        .toUpper();
}

QString HtmlFontStyleAttribute(const TFont& font) {
    return QStringLiteral("STYLE=\"font-family: ") + font.Name() + u';' + QStringLiteral("font-size: ") +
           QString::number(font.Size()) + QStringLiteral(" pt;") + QStringLiteral("color:#") +
           ColorToHtmlHex(font.Color()) + u';' + u'"';
}

QString HtmlStyleTags(QString text, const TFont& font) {
    const TFontStyles style = font.Style();
    if (style.Contains(fsItalic)) text = QStringLiteral("<I>") + text + QStringLiteral("</I>");
    if (style.Contains(fsBold)) text = QStringLiteral("<B>") + text + QStringLiteral("</B>");
    if (style.Contains(fsUnderline)) text = QStringLiteral("<U>") + text + QStringLiteral("</U>");
    if (style.Contains(fsStrikeOut)) text = QStringLiteral("<STRIKE>") + text + QStringLiteral("</STRIKE>");
    return text;
}

// Data shown in the page must not be read as markup: a "<" in a cell would otherwise start a tag.
QString HtmlEscaped(const QString& text) { return text.toHtmlEscaped(); }

bool SameLook(const TFont& a, const TFont& b) {
    return a.Name() == b.Name() && a.Size() == b.Size() && a.Color() == b.Color();
}

QString AlignmentWord(TAlignment alignment) {
    switch (alignment) {
        case taRightJustify: return QStringLiteral("right");
        case taCenter: return QStringLiteral("center");
        default: return QStringLiteral("left");
    }
}

QString AlignmentLetter(TAlignment alignment) {
    switch (alignment) {
        case taRightJustify: return QStringLiteral("R");
        case taCenter: return QStringLiteral("C");
        default: return QStringLiteral("L");
    }
}

TAlignment FieldAlignment(const TField* field) { return field ? field->Alignment() : taLeftJustify; }

QString SylkFontDescription(const TFont& font) {
    QString text = QStringLiteral("P;F") + font.Name() + QStringLiteral(";M") + QString::number(font.Size() * 20);
    const TFontStyles style = font.Style();
    bool any = false;
    auto add = [&](bool on, QChar letter) {
        if (!on) return;
        text += any ? QString(letter) : QStringLiteral(";S") + letter;
        any = true;
    };
    add(style.Contains(fsBold), u'B');
    add(style.Contains(fsItalic), u'I');
    add(style.Contains(fsUnderline), u'U');
    add(style.Contains(fsStrikeOut), u'S');
    return text;
}

QString SylkText(QString text) {
    text.replace(u';', QStringLiteral(";;"));
    text.replace(kCrLf, QStringLiteral(" "));
    return text.left(255);
}

}  // namespace

namespace controls {

// One export's working state over the grid.
class GridExport {
public:
    GridExport(TwwExportOptions& options, TwwCustomDBGrid& grid) : o_(options), grid_(grid), link_(grid.DataLink()) {}

    QString Run();

private:
    bool Has(TwwExportSaveOption option) const { return o_.Options.Contains(option); }
    int RecordNoColumns() const { return Has(esoShowRecordNo) ? 1 : 0; }
    int QuoteAllowance() const { return Has(esoDblQuoteFields) ? 2 : 0; }
    bool Fixed() const { return o_.Delimiter.isEmpty(); }
    bool LastDataColumn(const ExportColumn& column) const { return column.dataCol == int(columns_.size()) - 1; }
    QString CellText(const ExportColumn& column) { return grid_.GetCellText(column.dataCol); }

    void BuildColumns();
    // How a title or a cell looks.
    struct TitleLook {
        TFont font;
        TAlignment alignment = taLeftJustify;
        TBrush brush;
    };
    // The title font, alignment and colour, as the grid's title event leaves them with esoDynamicColors.
    TitleLook TitleLookOf(const ExportColumn& column);
    // A data cell's font and colour, as the grid's cell-colour event leaves them with esoDynamicColors.
    TitleLook CellLookOf(const ExportColumn& column);
    // One past the last column of the group that starts at index.
    std::size_t GroupEnd(std::size_t index) const;
    static QString HtmlTitle(const QString& title) { return HtmlEscaped(title).replace(u'~', QStringLiteral("<BR>")); }
    // The line-th "~"-part of a title with every ";" doubled.
    static QString SylkTitlePart(const QString& title, int line) {
        return title.section(u'~', line - 1, line - 1).replace(u';', QStringLiteral(";;"));
    }
    // A link cell's "text#address" value as a link; a bare e-mail address shown as itself gets "MailTo:".
    QString HtmlLink(const QString& value) const;
    // The edit control a "CustomEdit" column names; null for other columns and a control not found.
    TControl* CustomControl(const ExportColumn& column) const;
    // A check box or a combo box in HTML for the column's custom control; empty for other columns.
    QString ControlHtml(const ExportColumn& column, const QString& text);
    // An integer cell: a custom control's column gives the number, or with esoAddControls what the user reads.
    QString SylkIntegerValue(const ExportColumn& column);
    // A column title on one line.
    static QString TitleText(const ExportColumn& column) { return QString(column.title).replace(u'~', u' '); }
    QString TextLine(const QString& recordNo, const std::function<QString(const ExportColumn&)>& valueOf, bool header);
    QString TextHeader();
    QString TextRecord();
    QString HtmlHeader();
    QString HtmlRecord();
    QString SylkHeader();
    QString SylkRecord();
    int SylkFontIndex(const TFont& font);
    QString Record();
    // Visits the records to export, counter from 1.
    void WalkRecords();

    TwwExportOptions& o_;
    TwwCustomDBGrid& grid_;
    TwwGridDataLink& link_;
    std::vector<ExportColumn> columns_;
    QStringList sylkFormats_;
    QStringList sylkFonts_;
    int totalWidth_ = 0;
    int counter_ = 0;
    int recordsWritten_ = 0;
    QString text_;
};

void GridExport::BuildColumns() {
    const bool useTFields = grid_.UseTFields();
    sylkFormats_ = QStringList{QStringLiteral("General")};
    for (int i = 0; i < link_.MappedCount(); ++i) {
        ExportColumn column;
        column.dataCol = i;
        column.field = grid_.GetColumnField(i);
        bool accept = true;
        if (o_.OnExportField) o_.OnExportField(&grid_, column.field, accept);
        column.exported = accept;
        const QString line = !useTFields && i < grid_.Selected().Count() ? grid_.Selected().Strings(i) : QString();
        if (useTFields || line.isEmpty()) {
            column.title = column.field ? column.field->DisplayLabel() : QString();
            column.displayWidth = column.field ? column.field->DisplayWidth() : 0;
        } else {
            column.title = controls::SelectedLinePart(line, controls::SelectedPart::Title);
            column.group = controls::SelectedLinePart(line, controls::SelectedPart::Group);
            column.displayWidth = controls::SelectedLinePart(line, controls::SelectedPart::Width).toInt();
        }
        column.pixelWidth = grid_.ColWidths(i + grid_.IndicatorOffset());
        if (column.field) grid_.GetControlInfo(column.field->FieldName(), column.controlKind, column.controlParams);
        if (accept) totalWidth_ += column.pixelWidth + 5;
        if (o_.ExportType == wwgetSYLK && column.field) {
            QString format;
            switch (column.field->DataType()) {
                case ftCurrency: format = QStringLiteral("\"$\"#,##0.00_);;[Red]\\(\"$\"#,##0.00\\)"); break;
                case ftDate: format = QStringLiteral("m/d/yyyy"); break;
                case ftTime: format = QStringLiteral("h:mm\\ AM/PM"); break;
                case ftDateTime: format = QStringLiteral("m/d/yyyy\\ h:mm\\ AM/PM"); break;
                default: format = QStringLiteral("General");
            }
            if (o_.OnExportSYLKFormat) o_.OnExportSYLKFormat(&grid_, column.field, format);
            if (!sylkFormats_.contains(format)) sylkFormats_ << format;
            column.sylkFormat = int(sylkFormats_.indexOf(format));
        }
        columns_.push_back(column);
    }
}

GridExport::TitleLook GridExport::TitleLookOf(const ExportColumn& column) {
    TitleLook look;
    look.font.Assign(grid_.TitleFont());
    look.alignment = grid_.TitleAlignment();
    look.brush.Color = grid_.TitleColor;
    if (Has(esoDynamicColors) && column.field)
        grid_.DoCalcTitleAttributes(column.field->FieldName(), look.font, look.alignment, look.brush);
    return look;
}

GridExport::TitleLook GridExport::CellLookOf(const ExportColumn& column) {
    TitleLook look;
    look.font.Assign(grid_.Font());
    look.brush.Color = grid_.Color();
    // Every second record takes the grid's stripe colour, as the grid paints it; clNone means no stripes.
    const TColor stripe = grid_.PaintOptions.AlternatingRowColor();
    if (Has(esoShowAlternating) && counter_ % 2 == 0 && stripe != clNone) look.brush.Color = stripe;
    if (Has(esoDynamicColors) && column.field)
        grid_.DoCalcCellColors(column.field, TGridDrawState(), false, look.font, look.brush);
    return look;
}

std::size_t GridExport::GroupEnd(std::size_t index) const {
    std::size_t end = index + 1;
    while (end < columns_.size() && columns_[end].group == columns_[index].group) ++end;
    return end;
}

QString GridExport::HtmlLink(const QString& value) const {
    QString text;
    QString link;
    grid_.SplitURLLink(value, text, link);
    if (link == text) link = controls::WithMailScheme(link);
    return QStringLiteral("<A href=\"") + HtmlEscaped(link) + QStringLiteral("\">") + HtmlEscaped(text) +
           QStringLiteral("</A>");
}

TControl* GridExport::CustomControl(const ExportColumn& column) const {
    if (column.controlKind.compare(QLatin1String("CustomEdit"), Qt::CaseInsensitive) != 0) return nullptr;
    return grid_.FindEditControl(column.controlParams.section(u';', 0, 0));
}

QString GridExport::ControlHtml(const ExportColumn& column, const QString& text) {
    TControl* control = CustomControl(column);
    if (auto* box = dynamic_cast<TwwCheckBox*>(control))
        return text.compare(box->ValueChecked(), Qt::CaseInsensitive) == 0
                   ? QStringLiteral("<input align=\"middle\" type=\"checkbox\" checked >")
                   : QStringLiteral("<INPUT ALIGN=\"middle\" TYPE=\"checkbox\" >");
    auto* combo = dynamic_cast<TwwDBCustomComboBox*>(control);
    if (!combo) return {};
    QString html = QStringLiteral("<Select Name=\"wwCombo%1\">").arg(counter_) + kCrLf;
    const TStrings& items = combo->Items();
    for (int i = 0; i < items.Count(); ++i) {
        const QString item = items[i];
        const bool mapped = combo->MapList() && item.contains(u'\t');
        const QString display = mapped ? item.section(u'\t', 0, 0) : item;
        const QString value = mapped ? item.section(u'\t', 1) : item;
        html += QStringLiteral("<Option Value=\"") + HtmlEscaped(value) + u'"' +
                (text.compare(display, Qt::CaseInsensitive) == 0 ? QStringLiteral(" selected") : QString()) + u'>' +
                HtmlEscaped(display) + kCrLf;
    }
    return html + QStringLiteral("</Select>") + kCrLf;
}

// ---- text

QString GridExport::TextLine(const QString& recordNo, const std::function<QString(const ExportColumn&)>& valueOf,
                             bool header) {
    QString line;
    if (Has(esoShowRecordNo)) line += Fixed() ? QStringLiteral("%1 ").arg(recordNo, 8) : recordNo + o_.Delimiter;
    for (const ExportColumn& column : columns_) {
        if (!column.exported) continue;
        const QString value = valueOf(column);
        if (Fixed()) {
            // Records keep room for the title too; a longer value is written whole.
            int width = column.displayWidth + QuoteAllowance();
            if (!header) width = std::max(width, int(TitleText(column).size()) + QuoteAllowance());
            const bool right = FieldAlignment(column.field) != taLeftJustify;
            line += QStringLiteral("%1").arg(value, right ? width : -width);
            if (!LastDataColumn(column)) line += u' ';
        } else {
            line += value;
            if (!LastDataColumn(column)) line += o_.Delimiter;
        }
    }
    return line + kCrLf;
}

QString GridExport::TextHeader() {
    // The fixed-width heading's "#" goes unquoted.
    const QString recordNo = Fixed() ? QStringLiteral("#") : o_.QuoteText(QStringLiteral("#"));
    return TextLine(
        recordNo, [&](const ExportColumn& column) { return o_.QuoteText(TitleText(column)); }, true);
}

QString GridExport::TextRecord() {
    return TextLine(
        o_.QuoteText(QString::number(counter_)),
        [&](const ExportColumn& column) { return o_.QuoteText(CellText(column)); }, false);
}

// ---- HTML

QString GridExport::HtmlHeader() {
    TFont& titleFont = grid_.TitleFont();
    const QString titleColor = ColorToHtmlHex(grid_.TitleColor);
    QString html =
        QStringLiteral("<HTML>\r\n<HEAD>\r\n") + QStringLiteral("<TITLE>") + HtmlEscaped(o_.EffectiveFileName()) +
        QStringLiteral("</TITLE>") + kCrLf + QStringLiteral("</HEAD>") + kCrLf + QStringLiteral("<BODY>") + kCrLf +
        QStringLiteral("<TABLE ALIGN=Center BORDER=\"") + QString::number(o_.HTMLBorderWidth) +
        QStringLiteral("\" CELLPADDING=\"1\" CELLSPACING=\"0\"") +
        (grid_.layoutDirection() == Qt::RightToLeft ? QStringLiteral(" dir=\"RTL\"") : QStringLiteral(" dir=\"LTR\""));
    html += Has(esoTransparentGrid) ? QStringLiteral(">")
                                    : QStringLiteral(" BGCOLOR=#") + ColorToHtmlHex(grid_.Color()) + u'>';
    html += kCrLf + QStringLiteral("<THEAD>") + kCrLf;
    if (Has(esoShowHeader) && Has(esoShowTitle))
        html += QStringLiteral("<TR ") + HtmlFontStyleAttribute(titleFont) + QStringLiteral(" BGCOLOR=#") + titleColor +
                u'>' + kCrLf + QStringLiteral("<TH colspan=\"") + QString::number(columns_.size() + RecordNoColumns()) +
                QStringLiteral("\" scope=\"colgroup\">") + HtmlEscaped(o_.TitleName) + QStringLiteral("</TH>") + kCrLf +
                QStringLiteral("</TR>") + kCrLf;
    if (Has(esoShowHeader)) {
        html += QStringLiteral("<TR ") + HtmlFontStyleAttribute(titleFont) + QStringLiteral(" ALIGN=") +
                AlignmentWord(grid_.TitleAlignment()) + u'>' + kCrLf;
        if (Has(esoShowRecordNo))
            html += QStringLiteral("<TD ALIGN=\"CENTER\" ") + HtmlFontStyleAttribute(titleFont) +
                    QStringLiteral(" SCOPE=\"col\" bgcolor=#") + titleColor + QStringLiteral(" RowSpan=\"2\">") +
                    HtmlStyleTags(QStringLiteral("#"), titleFont) + QStringLiteral("</TD>") + kCrLf;
        bool grouped = false;
        for (std::size_t i = 0; i < columns_.size();) {
            const ExportColumn& column = columns_[i];
            const TitleLook look = TitleLookOf(column);
            const QString fontPart =
                SameLook(look.font, titleFont) ? QString() : u' ' + HtmlFontStyleAttribute(look.font);
            if (!column.group.isEmpty()) {
                const std::size_t end = GroupEnd(i);
                const int exported = int(std::count_if(columns_.begin() + i, columns_.begin() + end,
                                                       [](const ExportColumn& c) { return c.exported; }));
                if (exported > 0) {
                    grouped = true;
                    html += QStringLiteral("<TD") + fontPart + QStringLiteral(" SCOPE=\"col\" bgcolor=#") +
                            ColorToHtmlHex(look.brush.Color) + QStringLiteral(" ALIGN=CENTER ColSpan=\"") +
                            QString::number(exported) + QStringLiteral("\">") +
                            HtmlStyleTags(HtmlTitle(column.group), look.font) + QStringLiteral("</TD>") + kCrLf;
                }
                i = end;
                continue;
            }
            if (column.exported)
                html += QStringLiteral("<TD") + fontPart + QStringLiteral(" ALIGN=\"") + AlignmentWord(look.alignment) +
                        QStringLiteral("\" SCOPE=\"col\" bgcolor=#") + ColorToHtmlHex(look.brush.Color) +
                        QStringLiteral(" RowSpan=\"2\">") + HtmlStyleTags(HtmlTitle(column.title), look.font) +
                        QStringLiteral("</TD>") + kCrLf;
            ++i;
        }
        html += QStringLiteral("</TR>") + kCrLf;
        if (grouped) {
            html += QStringLiteral("<TR ") + HtmlFontStyleAttribute(titleFont) + QStringLiteral(" ALIGN=") +
                    AlignmentWord(grid_.TitleAlignment()) + u'>' + kCrLf;
            for (const ExportColumn& column : columns_) {
                if (!column.exported || column.group.isEmpty()) continue;
                const TitleLook look = TitleLookOf(column);
                const QString fontPart =
                    SameLook(look.font, titleFont) ? QString() : u' ' + HtmlFontStyleAttribute(look.font);
                html += QStringLiteral("<TD") + fontPart + QStringLiteral(" ALIGN=\"") + AlignmentWord(look.alignment) +
                        QStringLiteral("\" SCOPE=\"col\" bgcolor=#") + ColorToHtmlHex(look.brush.Color) +
                        QStringLiteral(" >") + HtmlStyleTags(HtmlTitle(column.title), look.font) +
                        QStringLiteral("</TD>") + kCrLf;
            }
            html += QStringLiteral("</TR>") + kCrLf;
        } else {
            html += QStringLiteral("<TR></TR>") + kCrLf;
        }
    }
    html += QStringLiteral("</THEAD>") + kCrLf;
    if (Has(esoShowFooter) && grid_.Options().Contains(dgShowFooter)) {
        html += QStringLiteral("<TFOOT ") + HtmlFontStyleAttribute(titleFont) + QStringLiteral(" BGCOLOR=#") +
                ColorToHtmlHex(grid_.FooterColor) + u'>' + kCrLf;
        if (Has(esoShowRecordNo)) html += QStringLiteral("<TD>&nbsp;</TD>") + kCrLf;
        for (const ExportColumn& column : columns_) {
            if (!column.exported) continue;
            const QString value =
                column.dataCol < int(grid_.Columns().size()) ? grid_.Columns()[column.dataCol]->FooterValue : QString();
            if (value.isEmpty()) html += QStringLiteral("<TD>&nbsp;</TD>") + kCrLf;
            else
                html += QStringLiteral("<TD ALIGN=") + AlignmentWord(FieldAlignment(column.field)) + u' ' +
                        HtmlFontStyleAttribute(grid_.Font()) + QStringLiteral(" BGCOLOR=#") +
                        ColorToHtmlHex(grid_.FooterCellColor) + u'>' + HtmlEscaped(value) + QStringLiteral("</TD>") +
                        kCrLf;
        }
        html += QStringLiteral("</TFOOT>") + kCrLf;
    }
    return html + QStringLiteral("<TBODY>") + kCrLf;
}

QString GridExport::HtmlRecord() {
    const TFont& gridFont = grid_.Font();
    QString html = QStringLiteral("<TR VALIGN=\"TOP\" ") + HtmlFontStyleAttribute(gridFont) + u'>' + kCrLf;
    if (Has(esoShowRecordNo))
        html += QStringLiteral("<TD WIDTH=\"0*\" NOWRAP ALIGN=\"right\" scope=\"row\" ") +
                HtmlFontStyleAttribute(grid_.TitleFont()) + QStringLiteral(" BGCOLOR=#") +
                ColorToHtmlHex(grid_.TitleColor) + u'>' + QString::number(counter_) + QStringLiteral("</TD>") + kCrLf;
    double factor = 1;
    if (o_.OutputWidthinTwips != 0 && totalWidth_ > 0)
        factor = o_.OutputWidthinTwips / (double(totalWidth_) / Screen->PixelsPerInch() * 1440);
    for (const ExportColumn& column : columns_) {
        if (!column.exported) continue;
        QString text = CellText(column);
        while (text.endsWith(u' ')) text.chop(1);
        const bool checkBox = column.controlKind.compare(QLatin1String("CheckBox"), Qt::CaseInsensitive) == 0;
        if (Has(esoAddControls) && checkBox) {
            text = text == column.controlParams.section(u';', 0, 0)
                       ? QStringLiteral("<input align=\"middle\" type=\"checkbox\" checked >")
                       : QStringLiteral("<INPUT ALIGN=\"middle\" TYPE=\"checkbox\" >");
        } else if (const QString control = Has(esoAddControls) ? ControlHtml(column, text) : QString();
                   !control.isEmpty()) {
            text = control;
        } else if (Has(esoEmbedURL) && column.field &&
                   column.controlKind.compare(QLatin1String("URL-Link"), Qt::CaseInsensitive) == 0) {
            text = HtmlLink(column.field->AsString());
        } else {
            text = HtmlEscaped(text);
            text.replace(kCrLf, QStringLiteral("<BR>"));
            text.replace(u'\n', QStringLiteral("<BR>"));
            if (text.isEmpty()) text = QStringLiteral("&nbsp;");
        }
        const TitleLook look = CellLookOf(column);
        const TFont& font = look.font;
        const TBrush& brush = look.brush;
        html += QStringLiteral("<TD NOWRAP");
        if (!checkBox) html += QStringLiteral(" ALIGN=\"") + AlignmentWord(FieldAlignment(column.field)) + u'"';
        if (!SameLook(font, gridFont)) html += u' ' + HtmlFontStyleAttribute(font);
        if (brush.Color != grid_.Color()) html += QStringLiteral(" BGCOLOR=#") + ColorToHtmlHex(brush.Color);
        if (Has(esoBestColFit)) html += QStringLiteral(" WIDTH=\"0*\" SCOPE=\"row\">");
        else
            html += QStringLiteral(" WIDTH=\"") + QString::number(int(column.pixelWidth * factor)) +
                    QStringLiteral("\" SCOPE=\"row\">");
        html += HtmlStyleTags(text, font) + QStringLiteral("</TD>") + kCrLf;
    }
    return html + QStringLiteral("</TR>") + kCrLf;
}

// ---- SYLK

int GridExport::SylkFontIndex(const TFont& font) {
    const QString description = SylkFontDescription(font);
    if (!sylkFonts_.contains(description)) sylkFonts_ << description;
    return int(sylkFonts_.indexOf(description));
}

QString GridExport::SylkHeader() {
    SylkFontIndex(grid_.TitleFont());
    SylkFontIndex(grid_.Font());
    QString sylk = QStringLiteral("ID;PW2W 3000;N;E") + kCrLf;
    for (const QString& format : sylkFormats_) sylk += QStringLiteral("P;P") + format + kCrLf;
    sylk += QStringLiteral("B;Y;X") + QString::number(columns_.size() + RecordNoColumns()) + kCrLf;
    sylk += QStringLiteral("F;G;M255") + kCrLf;
    if (Has(esoShowRecordNo)) sylk += QStringLiteral("F;W1 1 10") + kCrLf;
    int x = 1 + RecordNoColumns();
    for (const ExportColumn& column : columns_) {
        if (!column.exported) continue;
        const int width = Has(esoBestColFit) && column.field ? column.field->DisplayWidth() : column.displayWidth;
        sylk += QStringLiteral("F;W%1 %1 %2").arg(x).arg(width) + kCrLf;
        ++x;
    }
    if (Has(esoShowHeader)) {
        const int lines = grid_.TitleLines();
        // Grouped columns give the first half of the title lines to the group's name, the rest to their titles.
        const int groupLines = lines / 2;
        for (int t = 1; t <= lines; ++t) {
            if (Has(esoShowRecordNo))
                sylk +=
                    t == 1 ? QString(QStringLiteral("F;SLRTM0;FG0C;Y1;X1") + kCrLf + QStringLiteral("C;K\"#\"") + kCrLf)
                           : QString(QStringLiteral("F;SLRBM0;FG0C;Y%1;X1").arg(t) + kCrLf);
            x = 1 + RecordNoColumns();
            for (std::size_t i = 0; i < columns_.size(); ++i) {
                const ExportColumn& column = columns_[i];
                if (!column.exported) continue;
                const bool grouped = !column.group.isEmpty() && groupLines > 0;
                if (grouped && t <= groupLines) {
                    // The group's cell stands at its first exported column.
                    std::size_t start = i;
                    while (start > 0 && columns_[start - 1].group == column.group) --start;
                    const bool first = std::none_of(columns_.begin() + start, columns_.begin() + i,
                                                    [](const ExportColumn& c) { return c.exported; });
                    const QString part = SylkTitlePart(column.group, t);
                    if (t == 1) {
                        if (first)
                            sylk += QStringLiteral("F;SLTM0;FG0C;Y1;X%1").arg(x) + kCrLf + QStringLiteral("C;K\"") +
                                    part + u'"' + kCrLf;
                        else
                            sylk += QStringLiteral("F;STM0;FG0C;X%1").arg(column.dataCol + RecordNoColumns() + 1) +
                                    kCrLf + QStringLiteral("C;K\"\"") + kCrLf;
                    } else if (first || t == groupLines) {
                        sylk += QStringLiteral("F;S") + (first ? QStringLiteral("L") : QString()) +
                                (t == groupLines ? QStringLiteral("B") : QString()) +
                                QStringLiteral("M0;FG0C;Y%1;X%2").arg(t).arg(x) + kCrLf;
                        if (first && !part.isEmpty()) sylk += QStringLiteral("C;K\"") + part + u'"' + kCrLf;
                    }
                    ++x;
                    continue;
                }
                // An ungrouped column's title starts on line 1, a grouped one's after the group's lines.
                const int line = grouped ? t - groupLines : t;
                const int lastLine = grouped ? lines - groupLines : lines;
                const TitleLook look = TitleLookOf(column);
                sylk += QStringLiteral("F;SLR") + (line == 1 ? QStringLiteral("T") : QString()) +
                        (line == lastLine ? QStringLiteral("B") : QString()) + u'M' +
                        QString::number(SylkFontIndex(look.font)) + QStringLiteral(";FG0") +
                        AlignmentLetter(look.alignment) + QStringLiteral(";Y%1;X%2").arg(t).arg(x) + kCrLf;
                const QString part = SylkTitlePart(column.title, line);
                if (!part.isEmpty()) sylk += QStringLiteral("C;K\"") + part + u'"' + kCrLf;
                ++x;
            }
        }
    }
    return sylk + kCrLf;
}

QString GridExport::SylkRecord() {
    const int y = counter_ + (Has(esoShowHeader) ? grid_.TitleLines() : 0);
    QString sylk;
    const TFont& gridFont = grid_.Font();
    if (Has(esoShowRecordNo)) {
        const TFont& titleFont = grid_.TitleFont();
        const bool same = titleFont.Name() == gridFont.Name() && titleFont.Size() == gridFont.Size() &&
                          titleFont.Style() == gridFont.Style();
        sylk += QStringLiteral("F;SLRTBM%1;FG0L;Y%2;X1").arg(same ? 0 : 1).arg(y) + kCrLf +
                QStringLiteral("C;K%1").arg(counter_) + kCrLf;
    }
    int x = 1 + RecordNoColumns();
    for (const ExportColumn& column : columns_) {
        if (!column.exported) continue;
        const int fontIndex = SylkFontIndex(CellLookOf(column).font);
        const TFieldType type = column.field ? column.field->DataType() : ftUnknown;
        const bool formatted =
            type == ftFloat || type == ftCurrency || type == ftDate || type == ftTime || type == ftDateTime;
        sylk += (formatted ? QStringLiteral("F;P%1;SLTRBM").arg(column.sylkFormat) : QStringLiteral("F;SLTRBM")) +
                QString::number(fontIndex) + QStringLiteral(";FG0") + AlignmentLetter(FieldAlignment(column.field)) +
                QStringLiteral(";Y%1;X%2").arg(y).arg(x) + kCrLf;
        QString value;
        TField* field = column.field;
        auto pointDecimal = [](QString text) {
            if (FormatSettings.DecimalSeparator != u'.') text.replace(FormatSettings.DecimalSeparator, u'.');
            return text;
        };
        if (!field || field->IsNull()) {
            value = QStringLiteral("\"\"");
        } else {
            switch (type) {
                case ftSmallint:
                case ftInteger:
                case ftWord: value = SylkIntegerValue(column); break;
                case ftBoolean:
                    value = field->AsBoolean() ? QStringLiteral("\"TRUE\"") : QStringLiteral("\"FALSE\"");
                    break;
                case ftFloat:
                case ftCurrency:
                case ftDateTime: value = pointDecimal(FloatToStr(field->AsFloat())); break;
                case ftTime: {
                    const double time = field->AsDateTime();
                    value = pointDecimal(FloatToStr(time - std::trunc(time)));
                    break;
                }
                case ftDate: value = QString::number(qint64(std::trunc(double(field->AsDateTime())))); break;
                default: value = u'"' + SylkText(CellText(column)) + u'"';
            }
        }
        sylk += QStringLiteral("C;K") + value + kCrLf;
        ++x;
    }
    return sylk;
}

QString GridExport::SylkIntegerValue(const ExportColumn& column) {
    if (column.controlKind.compare(QLatin1String("CustomEdit"), Qt::CaseInsensitive) != 0)
        return SylkText(CellText(column));
    TControl* control = CustomControl(column);
    if (Has(esoAddControls)) {
        if (auto* combo = dynamic_cast<TwwDBCustomComboBox*>(control); combo && combo->MapList())
            return u'"' + SylkText(CellText(column)) + u'"';
        if (auto* box = dynamic_cast<TwwCheckBox*>(control))
            return u'"' + (column.field->AsInteger() == 1 ? box->DisplayValueChecked : box->DisplayValueUnchecked) +
                   u'"';
    }
    return QString::number(column.field->AsInteger());
}

// ---- the run

QString GridExport::Record() {
    ++recordsWritten_;
    switch (o_.ExportType) {
        case wwgetTxt: return TextRecord();
        case wwgetHTML: return HtmlRecord();
        case wwgetSYLK: return SylkRecord();
        default: return {};
    }
}

void GridExport::WalkRecords() {
    TDataSet* dataSet = link_.DataSet();
    if (Has(esoSaveSelectedOnly)) {
        controls::GridMultiSelection* selection = o_.Selection;
        if (selection) selection->SortSelectedList();
        if ((!selection || selection->SelectedList().empty()) && o_.ExportType == wwgetHTML) {
            text_ += QStringLiteral("<TR BGCOLOR=#") + ColorToHtmlHex(grid_.TitleColor) +
                     QStringLiteral("><TH colspan=") + QString::number(columns_.size() + RecordNoColumns()) +
                     QStringLiteral(" scope=colgroup>No Records Selected</TH></TR>") + kCrLf;
            return;
        }
        if (!selection) return;
        for (const TBookmark& mark : selection->SelectedList()) {
            ++counter_;
            dataSet->GotoBookmark(mark);
            text_ += Record();
        }
        return;
    }
    dataSet->First();
    while (!dataSet->Eof()) {
        ++counter_;
        text_ += Record();
        dataSet->Next();
    }
}

QString GridExport::Run() {
    if (!link_.Active() || !link_.DataSet()) return {};
    BuildColumns();
    switch (o_.ExportType) {
        case wwgetTxt:
            if (Has(esoShowHeader)) text_ += TextHeader();
            break;
        case wwgetHTML: text_ += HtmlHeader(); break;
        case wwgetSYLK: text_ += SylkHeader(); break;
        case wwgetXML: return {};
    }
    WalkRecords();
    if (o_.ExportType == wwgetHTML) text_ += QStringLiteral("</TBODY>\r\n</BODY>\r\n</TABLE>\r\n</HTML>\r\n");
    if (o_.ExportType == wwgetSYLK) {
        text_ += u'E';
        const int records = recordsWritten_ + (Has(esoShowHeader) ? 1 : 0);
        const qsizetype at = text_.indexOf(QStringLiteral("B;Y;"));
        QString fonts;
        for (const QString& font : sylkFonts_) fonts += font + kCrLf;
        text_.replace(at, 4, fonts + QStringLiteral("B;Y%1;").arg(records));
    }
    return text_;
}

}  // namespace controls

// ---- TwwExportOptions

TwwExportOptions::TwwExportOptions(TwwCustomDBGrid* grid) : grid_(grid) {}

QString TwwExportOptions::EffectiveFileName() const {
    if (!FileName.isEmpty()) return FileName;
    return controls::ProgramBaseName() + QStringLiteral(".txt");
}

QString TwwExportOptions::QuoteText(const QString& value) const {
    if (!Options.Contains(esoDblQuoteFields)) return value;
    if (!value.isEmpty()) return u'"' + value + u'"';
    return Delimiter.isEmpty() && ExportType == wwgetTxt ? QStringLiteral("\"\"") : QString();
}

QString TwwExportOptions::ExportText() {
    TDataSet* dataSet = grid_->DataLink().DataSet();
    if (!dataSet || !dataSet->Active()) return controls::GridExport(*this, *grid_).Run();
    const int row = grid_->DataRowOf(grid_->Row());
    dataSet->DisableControls();
    const TBookmark place = dataSet->GetBookmark();
    QString text;
    try {
        text = controls::GridExport(*this, *grid_).Run();
    } catch (...) {
        if (!place.isEmpty()) dataSet->GotoBookmark(place);
        dataSet->EnableControls();
        controls::KeepRecordOnRow(*grid_, row);
        throw;
    }
    if (!place.isEmpty()) dataSet->GotoBookmark(place);
    dataSet->EnableControls();
    controls::KeepRecordOnRow(*grid_, row);
    return text;
}

void TwwExportOptions::Save() {
    const bool clipboard = Options.Contains(esoClipboard);
    const QString target = EffectiveFileName();
    // The export is written beside the target first, so that a failure part-way leaves the old file whole.
    const QString work = target + QStringLiteral(".export-tmp");
    QFile file(work);
    if (!clipboard && !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(target, file.errorString()));
    QString text;
    try {
        text = ExportText();
    } catch (...) {
        if (!clipboard) file.remove();
        throw;
    }
    if (clipboard) {
        auto data = std::make_unique<QMimeData>();
        if (ExportType == wwgetHTML) {
            const QString framed =
                QStringLiteral("<!--StartFragment-->\r\n") + text + QStringLiteral("<!--EndFragment-->");
            QString header = QStringLiteral("Version:0.9\r\n");
            for (const char* name :
                 {"StartHTML", "EndHTML", "StartFragment", "EndFragment", "StartSelection", "EndSelection"})
                header += QLatin1String(name) + QStringLiteral(":0000000000\r\n");
            const QByteArray headerBytes = header.toUtf8();
            const QByteArray framedBytes = framed.toUtf8();
            const QByteArray whole = headerBytes + framedBytes;
            auto put = [&](const char* name, qsizetype value) {
                header.replace(QLatin1String(name) + QStringLiteral(":0000000000"),
                               QLatin1String(name) + u':' + QStringLiteral("%1").arg(value, 10, 10, QChar(u'0')));
            };
            put("StartHTML", headerBytes.size());
            put("EndHTML", whole.size());
            put("StartFragment", whole.indexOf("<!--StartFragment-->"));
            put("EndFragment", whole.indexOf("<!--EndFragment-->"));
            put("StartSelection", whole.indexOf("<!--StartFragment-->"));
            put("EndSelection", whole.indexOf("<!--EndFragment-->"));
            data->setText(header + framed);
            data->setData(QStringLiteral("HTML Format"), (header + framed).toUtf8());
        } else {
            data->setText(text);
            if (ExportType == wwgetSYLK) data->setData(QStringLiteral("application/x-sylk"), text.toUtf8());
        }
        QApplication::clipboard()->clear();
        QApplication::clipboard()->setMimeData(data.release());
        return;
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.remove();
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(target, reason));
    }
    file.close();
    if (!rtl::ReplaceFileDurably(work, target)) {
        QFile::remove(work);
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\".").arg(target));
    }
}
