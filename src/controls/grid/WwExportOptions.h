// TwwExportOptions: writes a data-aware grid's records as the grid shows them to a file or the clipboard:
// delimited or fixed-width text, an HTML table or a SYLK spreadsheet.
#pragma once

#include "platform/ui/EnumSet.h"

#include <QString>
#include <functional>

class TField;
class TwwCustomDBGrid;
namespace controls {
class GridMultiSelection;
}

enum TwwGridExportType { wwgetTxt, wwgetHTML, wwgetSYLK, wwgetXML };

enum TwwExportSaveOption {
    esoShowHeader,
    esoShowFooter,
    esoDynamicColors,
    esoShowTitle,
    esoDblQuoteFields,
    esoSaveSelectedOnly,
    esoAddControls,
    esoBestColFit,
    esoShowRecordNo,
    esoEmbedURL,
    esoShowAlternating,
    esoTransparentGrid,
    esoClipboard
};
using TwwExportSaveOptions = ui::SetOf<TwwExportSaveOption>;

using TwwExportFieldEvent = std::function<void(TwwCustomDBGrid* Grid, TField* Field, bool& Accept)>;
using TwwExportSYLKFormatEvent = std::function<void(TwwCustomDBGrid* Grid, TField* Field, QString& SYLKFormat)>;

class TwwExportOptions {
public:
    explicit TwwExportOptions(TwwCustomDBGrid* grid);
    virtual ~TwwExportOptions() = default;

    // The stored name; empty means the program's base name followed by ".txt", whatever the type.
    QString FileName;
    TwwGridExportType ExportType = wwgetTxt;
    // Empty selects fixed-width text.
    QString Delimiter = QStringLiteral(",");
    TwwExportSaveOptions Options{esoShowHeader, esoShowTitle, esoDblQuoteFields, esoShowAlternating};
    QString TitleName;
    // The HTML table's width in twips that the column widths are scaled to; 0 keeps their pixels.
    int OutputWidthinTwips = 0;
    int HTMLBorderWidth = 1;
    // The marks esoSaveSelectedOnly exports; none exports no record.
    controls::GridMultiSelection* Selection = nullptr;
    // Once per data column: whether it is exported.
    TwwExportFieldEvent OnExportField;
    // Once per data column of a SYLK export: its picture format.
    TwwExportSYLKFormatEvent OnExportSYLKFormat;

    QString EffectiveFileName() const;
    // A non-empty value between double quotes with esoDblQuoteFields (quotes inside are kept as they are);
    // an empty one only in fixed-width text.
    virtual QString QuoteText(const QString& value) const;
    // Runs one export. A file appears whole or not at all: the text goes to a file beside it that then
    // replaces it. The dataset is back on its record afterwards, also when the export raised.
    virtual void Save();

    // The export's text as Save would write it (the clipboard's plain text).
    QString ExportText();

private:
    TwwCustomDBGrid* grid_;
};
