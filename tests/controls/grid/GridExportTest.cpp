// The grid export over a two-column fixture, byte for byte in each format, to a file or the clipboard,
// all records or the selected ones.
#include "GridFixture.h"

#include "controls/edit/WwCheckBox.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/grid/WwExportOptions.h"
#include "controls/grid/WwMultiSelect.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Form.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QFile>
#include <QMimeData>

using grid_test::GridTest;

namespace {

const char* const kTricky = "a,b \"q\"\r\nline2";

class GridExport : public GridTest {
protected:
    TADOQuery query;
    std::unique_ptr<TwwExportOptions> exporter;
    QString file = QDir(testing_env::TempDir()).filePath(QStringLiteral("tasks.out"));

    void SetUp() override {
        GridTest::SetUp();
        exporter = std::make_unique<TwwExportOptions>(grid.get());
        sql::Connection& engine = connection.Engine();
        const auto insert = engine.Prepare("INSERT INTO Tasks (Subject, PercentCompleted) VALUES (:S, :P)");
        const std::vector<std::pair<QString, int>> rows{{"Plain", 5}, {kTricky, 50}, {"<&>", 100}};
        for (const auto& [subject, percent] : rows) {
            insert->Reset();
            insert->Bind(0, subject);
            insert->Bind(1, percent);
            insert->Step();
        }
        TFont font;
        font.SetName(QStringLiteral("Arial"));
        font.SetSize(10);
        font.SetColor(clBlack);
        grid->Font().Assign(font);
        font.SetStyle(TFontStyles{fsBold});
        grid->SetTitleFont(font);
        grid->SetColor(clWhite);
        grid->TitleColor = clSilver;
        grid->Selected().SetStrings({"Subject\t12\tSubject\tF", "PercentCompleted\t4\tDone~%\tF"});
        Open(query);
        exporter->FileName = file;
    }

    QByteArray Written() const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

struct FormatCase {
    const char* name;
    TwwGridExportType type;
    const char* delimiter;
    TwwExportSaveOptions extra;
    const char* expected;
};

class GridExportFormats : public GridExport, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(GridExportFormats, WritesTheFixtureByteForByte) {
    const FormatCase& c = GetParam();
    exporter->ExportType = c.type;
    exporter->Delimiter = QString::fromUtf8(c.delimiter);
    exporter->Options = exporter->Options + c.extra;
    exporter->TitleName = QStringLiteral("Tasks");
    query.Last();
    exporter->Save();
    QByteArray expected(c.expected);
    expected.replace("{file}", file.toUtf8());
    EXPECT_EQ(Written(), expected);
    // The dataset is back on the record it was on.
    EXPECT_EQ(query.FieldByName(QStringLiteral("Subject")).AsString(), QStringLiteral("<&>"));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".export-tmp")));
}

#define FONT "STYLE=\"font-family: Arial;font-size: 10 pt;color:#000000;\""

INSTANTIATE_TEST_SUITE_P(
    Grid, GridExportFormats,
    ::testing::Values(
        FormatCase{"Delimited",
                   wwgetTxt,
                   ",",
                   {},
                   "\"Subject\",\"Done %\"\r\n"
                   "\"Plain\",\"5\"\r\n"
                   "\"a,b \"q\"\r\nline2\",\"50\"\r\n"
                   "\"<&>\",\"100\"\r\n"},
        FormatCase{"DelimitedWithRecordNumbers",
                   wwgetTxt,
                   ";",
                   {esoShowRecordNo},
                   "\"#\";\"Subject\";\"Done %\"\r\n"
                   "\"1\";\"Plain\";\"5\"\r\n"
                   "\"2\";\"a,b \"q\"\r\nline2\";\"50\"\r\n"
                   "\"3\";\"<&>\";\"100\"\r\n"},
        FormatCase{"FixedWidth",
                   wwgetTxt,
                   "",
                   {},
                   "\"Subject\"      \"Done %\"\r\n"
                   "\"Plain\"             \"5\"\r\n"
                   "\"a,b \"q\"\r\nline2\"     \"50\"\r\n"
                   "\"<&>\"             \"100\"\r\n"},
        FormatCase{
            "Html",
            wwgetHTML,
            ",",
            {esoBestColFit},
            "<HTML>\r\n<HEAD>\r\n<TITLE>{file}</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
            "<TABLE ALIGN=Center BORDER=\"1\" CELLPADDING=\"1\" CELLSPACING=\"0\" dir=\"LTR\" BGCOLOR=#FFFFFF>\r\n"
            "<THEAD>\r\n"
            "<TR " FONT " BGCOLOR=#C0C0C0>\r\n<TH colspan=\"2\" scope=\"colgroup\">Tasks</TH>\r\n</TR>\r\n"
            "<TR " FONT " ALIGN=left>\r\n"
            "<TD ALIGN=\"left\" SCOPE=\"col\" bgcolor=#C0C0C0 RowSpan=\"2\"><B>Subject</B></TD>\r\n"
            "<TD ALIGN=\"left\" SCOPE=\"col\" bgcolor=#C0C0C0 RowSpan=\"2\"><B>Done<BR>%</B></TD>\r\n"
            "</TR>\r\n<TR></TR>\r\n</THEAD>\r\n<TBODY>\r\n"
            "<TR VALIGN=\"TOP\" " FONT ">\r\n"
            "<TD NOWRAP ALIGN=\"left\" WIDTH=\"0*\" SCOPE=\"row\">Plain</TD>\r\n"
            "<TD NOWRAP ALIGN=\"right\" WIDTH=\"0*\" SCOPE=\"row\">5</TD>\r\n</TR>\r\n"
            "<TR VALIGN=\"TOP\" " FONT ">\r\n"
            "<TD NOWRAP ALIGN=\"left\" WIDTH=\"0*\" SCOPE=\"row\">a,b &quot;q&quot;<BR>line2</TD>\r\n"
            "<TD NOWRAP ALIGN=\"right\" WIDTH=\"0*\" SCOPE=\"row\">50</TD>\r\n</TR>\r\n"
            "<TR VALIGN=\"TOP\" " FONT ">\r\n"
            "<TD NOWRAP ALIGN=\"left\" WIDTH=\"0*\" SCOPE=\"row\">&lt;&amp;&gt;</TD>\r\n"
            "<TD NOWRAP ALIGN=\"right\" WIDTH=\"0*\" SCOPE=\"row\">100</TD>\r\n</TR>\r\n"
            "</TBODY>\r\n</BODY>\r\n</TABLE>\r\n</HTML>\r\n"},
        FormatCase{"Sylk",
                   wwgetSYLK,
                   ",",
                   {},
                   "ID;PW2W 3000;N;E\r\n"
                   "P;PGeneral\r\n"
                   "P;FArial;M200;SB\r\n"
                   "P;FArial;M200\r\n"
                   "B;Y4;X2\r\n"
                   "F;G;M255\r\n"
                   "F;W1 1 12\r\n"
                   "F;W2 2 4\r\n"
                   "F;SLRTBM0;FG0L;Y1;X1\r\n"
                   "C;K\"Subject\"\r\n"
                   "F;SLRTBM0;FG0L;Y1;X2\r\n"
                   "C;K\"Done\"\r\n"
                   "\r\n"
                   "F;SLTRBM1;FG0L;Y2;X1\r\nC;K\"Plain\"\r\n"
                   "F;SLTRBM1;FG0R;Y2;X2\r\nC;K5\r\n"
                   "F;SLTRBM1;FG0L;Y3;X1\r\nC;K\"a,b \"q\" line2\"\r\n"
                   "F;SLTRBM1;FG0R;Y3;X2\r\nC;K50\r\n"
                   "F;SLTRBM1;FG0L;Y4;X1\r\nC;K\"<&>\"\r\n"
                   "F;SLTRBM1;FG0R;Y4;X2\r\nC;K100\r\n"
                   "E"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridExport, GroupedColumnsShareATitleCellOverTheirExportedColumns) {
    grid->Selected().SetStrings(
        {"Subject\t12\tSubject\tF\tWork", "PercentCompleted\t4\tDone~%\tF\tWork", "Notes\t10\tNotes\tF"});
    grid->RebuildLayout();
    exporter->ExportType = wwgetHTML;
    exporter->Options = TwwExportSaveOptions{esoShowHeader, esoBestColFit};
    const QByteArray row = "<TR " FONT " ALIGN=left>\r\n";
    for (const bool subject : {true, false}) {
        exporter->OnExportField = [&](TwwCustomDBGrid*, TField* field, bool& accept) {
            accept = subject || field->FieldName() != QLatin1String("Subject");
        };
        exporter->Save();
        const QByteArray written = Written();
        const QByteArray head =
            written.mid(written.indexOf("<THEAD>"), written.indexOf("</THEAD>") - written.indexOf("<THEAD>"));
        QByteArray expected =
            "<THEAD>\r\n" + row + "<TD SCOPE=\"col\" bgcolor=#C0C0C0 ALIGN=CENTER ColSpan=\"" +
            QByteArray(subject ? "2" : "1") + "\"><B>Work</B></TD>\r\n" +
            "<TD ALIGN=\"left\" SCOPE=\"col\" bgcolor=#C0C0C0 RowSpan=\"2\"><B>Notes</B></TD>\r\n</TR>\r\n" + row;
        if (subject) expected += "<TD ALIGN=\"left\" SCOPE=\"col\" bgcolor=#C0C0C0 ><B>Subject</B></TD>\r\n";
        expected += "<TD ALIGN=\"left\" SCOPE=\"col\" bgcolor=#C0C0C0 ><B>Done<BR>%</B></TD>\r\n</TR>\r\n";
        EXPECT_EQ(QString::fromUtf8(head), QString::fromUtf8(expected)) << subject;
    }
}

TEST_F(GridExport, SylkWithTwoTitleLinesPutsGroupsAboveTitlesAndRecordsFromRowThree) {
    grid->Selected().SetStrings(
        {"Subject\t12\tSubject\tF\tWork", "PercentCompleted\t4\tDone~%\tF\tWork", "Notes\t10\tNotes\tF"});
    grid->SetTitleLines(2);
    exporter->ExportType = wwgetSYLK;
    exporter->Save();
    const QByteArray written = Written();
    EXPECT_TRUE(
        written.contains("F;G;M255\r\nF;W1 1 12\r\nF;W2 2 4\r\nF;W3 3 10\r\n"
                         "F;SLTM0;FG0C;Y1;X1\r\nC;K\"Work\"\r\n"
                         "F;STM0;FG0C;X2\r\nC;K\"\"\r\n"
                         "F;SLRTM0;FG0L;Y1;X3\r\nC;K\"Notes\"\r\n"
                         "F;SLRTBM0;FG0L;Y2;X1\r\nC;K\"Subject\"\r\n"
                         "F;SLRTBM0;FG0L;Y2;X2\r\nC;K\"Done\"\r\n"
                         "F;SLRBM0;FG0L;Y2;X3\r\n"
                         "\r\n"
                         "F;SLTRBM1;FG0L;Y3;X1\r\nC;K\"Plain\"\r\n"))
        << written.toStdString();
    EXPECT_TRUE(written.contains("B;Y4;X3\r\n"));
}

TEST_F(GridExport, UrlColumnsBecomeLinksAndBareAddressesMailLinks) {
    connection.Execute("UPDATE Tasks SET Subject = 'someone@example.com' WHERE TaskId = 1");
    connection.Execute("UPDATE Tasks SET Subject = 'Site#http://example.org/?a=1&b=\"2\"' WHERE TaskId = 2");
    query.Requery();
    grid->ControlType().SetStrings({"Subject;URL-Link"});
    exporter->ExportType = wwgetHTML;
    exporter->Options = TwwExportSaveOptions{esoEmbedURL, esoBestColFit};
    exporter->Save();
    const QByteArray written = Written();
    EXPECT_TRUE(
        written.contains(">\r\n<TD NOWRAP ALIGN=\"left\" WIDTH=\"0*\" SCOPE=\"row\">"
                         "<A href=\"MailTo:someone@example.com\">someone@example.com</A></TD>"));
    EXPECT_TRUE(written.contains("<A href=\"http://example.org/?a=1&amp;b=&quot;2&quot;\">Site</A></TD>"));
    EXPECT_TRUE(written.contains("<A href=\"&lt;&amp;&gt;\">&lt;&amp;&gt;</A></TD>"));
}

TEST_F(GridExport, CustomControlsBecomeFormControlsWithAddControls) {
    TForm host;
    grid->setParent(&host);
    // The host must not free the fixture's grid, whatever the test does.
    struct Release {
        QWidget* grid;
        ~Release() { grid->setParent(nullptr); }
    } release{grid.get()};
    auto* box = new TwwCheckBox(&host);
    box->setObjectName(QStringLiteral("DoneBox"));
    box->SetValueChecked(QStringLiteral("100"));
    box->DisplayValueChecked = QStringLiteral("Done");
    box->DisplayValueUnchecked = QStringLiteral("Open");
    auto* combo = new TwwDBComboBox(&host);
    combo->setObjectName(QStringLiteral("LevelCombo"));
    combo->Items().SetStrings({"5", "50", "<100>"});
    exporter->ExportType = wwgetHTML;
    exporter->Options = TwwExportSaveOptions{esoAddControls, esoBestColFit};

    grid->ControlType().SetStrings({"PercentCompleted;CustomEdit;DoneBox"});
    exporter->Save();
    QByteArray written = Written();
    EXPECT_EQ(written.count("<INPUT ALIGN=\"middle\" TYPE=\"checkbox\" >"), 2);
    EXPECT_TRUE(written.contains("SCOPE=\"row\"><input align=\"middle\" type=\"checkbox\" checked ></TD>"));

    grid->ControlType().SetStrings({"PercentCompleted;CustomEdit;LevelCombo"});
    exporter->Save();
    written = Written();
    EXPECT_TRUE(
        written.contains("<Select Name=\"wwCombo2\">\r\n<Option Value=\"5\">5\r\n<Option Value=\"50\" "
                         "selected>50\r\n<Option Value=\"&lt;100&gt;\">&lt;100&gt;\r\n</Select>\r\n</TD>"))
        << written.toStdString();

    // SYLK writes what the check box shows; without esoAddControls the number.
    grid->ControlType().SetStrings({"PercentCompleted;CustomEdit;DoneBox"});
    exporter->ExportType = wwgetSYLK;
    exporter->Save();
    EXPECT_EQ(Written().count("C;K\"Open\"\r\n"), 3);
    exporter->Options = TwwExportSaveOptions{};
    exporter->Save();
    EXPECT_TRUE(Written().contains("C;K100\r\n"));
}

TEST_F(GridExport, DynamicColoursComeFromTheGridsEvents) {
    grid->OnCalcCellColors = [](QObject*, TField* field, TGridDrawState, bool, TFont& font, TBrush& brush) {
        if (field->FieldName() != QLatin1String("PercentCompleted")) return;
        brush.Color = clYellow;
        font.SetColor(clRed);
    };
    grid->OnCalcTitleAttributes = [](QObject*, const QString& name, TFont&, TBrush& brush, TAlignment& alignment) {
        if (name != QLatin1String("Subject")) return;
        brush.Color = clAqua;
        alignment = taCenter;
    };
    exporter->ExportType = wwgetHTML;
    exporter->Options = TwwExportSaveOptions{esoShowHeader, esoDynamicColors, esoBestColFit};
    exporter->Save();
    const QByteArray written = Written();
    EXPECT_TRUE(
        written.contains("<TD ALIGN=\"center\" SCOPE=\"col\" bgcolor=#00FFFF RowSpan=\"2\"><B>Subject</B></TD>"));
    EXPECT_TRUE(
        written.contains("<TD NOWRAP ALIGN=\"right\" STYLE=\"font-family: Arial;font-size: 10 pt;color:#FF0000;\" "
                         "BGCOLOR=#FFFF00 WIDTH=\"0*\" SCOPE=\"row\">50</TD>"));
    EXPECT_TRUE(written.contains("<TD NOWRAP ALIGN=\"left\" WIDTH=\"0*\" SCOPE=\"row\">Plain</TD>"));
}

TEST_F(GridExport, HtmlRowsAlternateInTheGridsStripeColourByDefault) {
    grid->PaintOptions.SetAlternatingRowColor(clYellow);
    exporter->ExportType = wwgetHTML;
    exporter->Options = exporter->Options.Include(esoBestColFit);
    for (const bool alternating : {true, false}) {
        if (!alternating) exporter->Options = exporter->Options.Exclude(esoShowAlternating);
        exporter->Save();
        const QByteArray written = Written();
        // The second record's two cells, and no other.
        EXPECT_EQ(written.count("BGCOLOR=#FFFF00"), alternating ? 2 : 0);
        EXPECT_EQ(written.contains("<TD NOWRAP ALIGN=\"right\" BGCOLOR=#FFFF00 WIDTH=\"0*\" SCOPE=\"row\">50</TD>"),
                  alternating)
            << written.toStdString();
    }
}

TEST_F(GridExport, HtmlFooterShowsTheColumnsFooterValues) {
    grid->SetOptions(grid->Options().Include(dgShowFooter));
    grid->FooterColor = clGray;
    grid->FooterCellColor = clWhite;
    ASSERT_EQ(grid->Columns().size(), 2u);
    grid->Columns()[1]->FooterValue = QStringLiteral("155 <sum>");
    exporter->ExportType = wwgetHTML;
    exporter->Options = TwwExportSaveOptions{esoShowFooter, esoShowRecordNo, esoBestColFit};
    exporter->Save();
    EXPECT_TRUE(
        Written().contains("</THEAD>\r\n<TFOOT " FONT " BGCOLOR=#808080>\r\n<TD>&nbsp;</TD>\r\n<TD>&nbsp;</TD>\r\n"
                           "<TD ALIGN=right " FONT " BGCOLOR=#FFFFFF>155 &lt;sum&gt;</TD>\r\n</TFOOT>\r\n<TBODY>\r\n"))
        << Written().toStdString();
}

TEST_F(GridExport, RefusedLastColumnLeavesTheDelimiterAndQuotesAreNotDoubled) {
    exporter->Options = TwwExportSaveOptions{esoDblQuoteFields};
    exporter->OnExportField = [](TwwCustomDBGrid*, TField* field, bool& accept) {
        accept = field->FieldName() != QLatin1String("PercentCompleted");
    };
    exporter->Save();
    EXPECT_EQ(Written(), QByteArray("\"Plain\",\r\n\"a,b \"q\"\r\nline2\",\r\n\"<&>\",\r\n"));
}

TEST_F(GridExport, SelectedRecordsGoOutInDatasetOrder) {
    controls::GridMultiSelection marks(*grid);
    exporter->Selection = &marks;
    exporter->Options = TwwExportSaveOptions{esoSaveSelectedOnly, esoShowRecordNo};
    for (const int id : {3, 1}) {
        ASSERT_TRUE(query.Locate(QStringLiteral("TaskId"), id));
        marks.SelectRecord();
    }
    exporter->Save();
    EXPECT_EQ(Written(), QByteArray("1,Plain,5\r\n2,<&>,100\r\n"));
    EXPECT_EQ(query.FieldByName(QStringLiteral("TaskId")).AsInteger(), 1);

    marks.UnselectAll();
    exporter->ExportType = wwgetHTML;
    exporter->Save();
    EXPECT_TRUE(Written().contains(
        "<TBODY>\r\n<TR BGCOLOR=#C0C0C0><TH colspan=3 scope=colgroup>No Records Selected</TH></TR>\r\n</TBODY>"));
}

TEST_F(GridExport, FailedExportLeavesTheOldFileWhole) {
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    exporter->OnExportField = [](TwwCustomDBGrid*, TField*, bool&) { throw Exception(QStringLiteral("stop")); };
    query.Last();
    EXPECT_THROW(exporter->Save(), Exception);
    EXPECT_EQ(Written(), QByteArray("old contents"));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".export-tmp")));
    EXPECT_EQ(query.FieldByName(QStringLiteral("Subject")).AsString(), QStringLiteral("<&>"));

    exporter->FileName = QDir(testing_env::TempDir()).filePath(QStringLiteral("missing/tasks.out"));
    EXPECT_THROW(exporter->Save(), EFCreateError);
}

TEST_F(GridExport, InactiveGridWritesAnEmptyFile) {
    query.Close();
    exporter->Save();
    EXPECT_EQ(Written(), QByteArray());
}

TEST_F(GridExport, ClipboardGetsTheTextAndTheFramedHtml) {
    exporter->Options = exporter->Options.Include(esoClipboard);
    exporter->Save();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QString::fromUtf8("\"Subject\",\"Done %\"\r\n\"Plain\",\"5\"\r\n\"a,b \"q\"\r\nline2\",\"50\"\r\n"
                                "\"<&>\",\"100\"\r\n"));
    EXPECT_FALSE(QFile::exists(file));

    exporter->ExportType = wwgetHTML;
    exporter->Save();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data && data->hasFormat(QStringLiteral("HTML Format")));
    const QByteArray html = data->data(QStringLiteral("HTML Format"));
    auto offset = [&](const char* name) {
        const qsizetype at = html.indexOf(QByteArray(QByteArray(name) + ':'));
        return html.mid(at + qsizetype(strlen(name)) + 1, 10).toLongLong();
    };
    EXPECT_TRUE(html.startsWith("Version:0.9\r\nStartHTML:"));
    EXPECT_EQ(offset("StartHTML"), html.indexOf("<!--StartFragment-->"));
    EXPECT_EQ(offset("StartFragment"), html.indexOf("<!--StartFragment-->"));
    EXPECT_EQ(offset("EndFragment"), html.indexOf("<!--EndFragment-->"));
    EXPECT_EQ(offset("EndHTML"), html.size());
    EXPECT_TRUE(html.contains("&lt;&amp;&gt;"));
}

}  // namespace
