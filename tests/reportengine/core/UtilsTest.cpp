// The engine's helpers: names, page lists, system variable texts, texts and lists, threads and temporary files.
#include "EngineComponents.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/ServiceSlot.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "reportengine/core/ppUtils.h"
#include "reportengine/core/ppUtilsFiles.h"
#include "reportengine/core/ppUtilsRegList.h"
#include "reportengine/core/ppUtilsThreads.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>
#include <thread>

namespace {

TEST(EngineNames, UniqueComponentName) {
    struct Case {
        std::vector<const char*> labels;
        std::vector<const char*> shapes;
        const char* expected;
    };
    const Case cases[] = {
        {{"Label1", "Label2", "Label4"}, {}, "Label3"},
        {{}, {}, "Label1"},
        {{"Label1", "Label3"}, {}, "Label2"},
        {{"Label01", "Label2"}, {}, "Label3"},  // Label01 counts as 1
        {{"Label1", "Label01"}, {}, "Label2"},  // the same number twice
        {{"LabelX", "Label", "Label0"}, {}, "Label1"},
        {{"label1"}, {}, "Label1"},          // the stem matches with case
        {{"Label2"}, {"Label1"}, "Label1"},  // another class's Label1 does not count
    };
    for (const Case& c : cases) {
        reportengine::EnginePtr<reportengine::EngineComponent> form(new reportengine::EngineComponent(nullptr));
        for (const char* name : c.labels) (new TppLabel(form.get()))->SetName(QString::fromUtf8(name));
        for (const char* name : c.shapes) (new TppShape(form.get()))->SetName(QString::fromUtf8(name));
        reportengine::EnginePtr<TppLabel> added(new TppLabel(nullptr));
        EXPECT_EQ(GetUniqueComponentName(form.get(), QStringLiteral("Label"), added.get()),
                  QString::fromUtf8(c.expected))
            << c.expected;
    }
}

TEST(EngineNames, DerivedClassesCountTheComponentItselfDoesNot) {
    reportengine::EnginePtr<reportengine::EngineComponent> form(new reportengine::EngineComponent(nullptr));
    (new TppBoldLabel(form.get()))->SetName(QStringLiteral("Label1"));
    auto* self = new TppLabel(form.get());
    self->SetName(QStringLiteral("Label2"));
    EXPECT_EQ(GetUniqueComponentName(form.get(), QStringLiteral("Label"), self), QStringLiteral("Label2"));
    EXPECT_EQ(GetUniqueComponentName(nullptr, QStringLiteral("Label"), self), QStringLiteral("Label"));
    EXPECT_EQ(ClassNameWithoutT(self), QStringLiteral("ppLabel"));
    EXPECT_EQ(ClassNameWithoutPrefix(self), QStringLiteral("Label"));
}

TEST(EnginePageList, Parse) {
    struct Case {
        const char* text;
        QStringList pages;
    };
    const Case cases[] = {
        {"1,3,5-12", {"1", "3", "5", "6", "7", "8", "9", "10", "11", "12"}},
        {"", {}},
        {"abc", {}},
        {"5-3", {"3", "5"}},
        {"-4", {"4"}},
        {"3-", {"3"}},
        {"1-3-5", {"1", "2", "3", "5"}},
        {"2, 2", {"2"}},
        {"10,9,1", {"1", "9", "10"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        ParsePageList(QString::fromUtf8(c.text), list, true);
        EXPECT_EQ(list.ToStringList(), c.pages) << c.text;
    }
    TStringList untrimmed;
    ParsePageList(QStringLiteral("12,3"), untrimmed, false);
    EXPECT_EQ(untrimmed.ToStringList(), (QStringList{QStringLiteral("       3"), QStringLiteral("      12")}));
}

TEST(EnginePageList, RefusesWhatItCannotHold) {
    TStringList list;
    EXPECT_THROW(ParsePageList(QStringLiteral("99999999999"), list, true), EConvertError);
    EXPECT_THROW(ParsePageList(QStringLiteral("1-999999999"), list, true), EConvertError);
    ParsePageList(QStringLiteral("1-100000"), list, true);
    EXPECT_EQ(list.Count(), 100000);
}

TEST(EngineSystemVariables, Texts) {
    rtl::ScopedService clock(rtl::ClockSlot(),
                             std::make_shared<rtl::FakeClock>(EncodeDateTime(2026, 3, 4, 13, 30, 5, 0)));
    const TDateTime printed = EncodeDateTime(2025, 12, 24, 9, 5, 0, 0);
    struct Case {
        TppVarType type;
        bool haveValues;
        const char* text;
    };
    const Case cases[] = {
        {vtPageSetDesc, true, "Page 3 of 12"},
        {vtPageSetDesc, false, "Page 1 of 1"},
        {vtPageSet, true, "3 of 12"},
        {vtPageNo, true, "3"},
        {vtPageNoDesc, true, "Page 3"},
        {vtPageCount, true, "12"},
        {vtPageCount, false, "1"},
        {vtDate, true, "3/4/2026"},
        {vtDateTime, true, "3/4/2026 1:30:05 PM"},
        {vtPrintDateTime, true, "12/24/2025 9:05:00 AM"},
        {vtPrintDateTime, false, "3/4/2026 1:30:05 PM"},
        {vtTime, true, "1:30:05 PM"},
        {vtDocumentName, true, "kept"},
    };
    for (const Case& c : cases) {
        QString text = QStringLiteral("kept");
        GetSystemVariableText(c.type, 3, 12, printed, c.haveValues, text);
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.type;
    }
}

TEST(EngineHelpers, NumbersAndKinds) {
    EXPECT_FLOAT_EQ(ScaleToFit(200, 100, 50, 50), 0.25f);
    EXPECT_FLOAT_EQ(ScaleToFit(100, 200, 50, 50), 0.25f);
    EXPECT_FLOAT_EQ(ScaleToFit(10, 10, 50, 30), 3.0f);
    EXPECT_EQ(ScaleToFit(0, 100, 50, 50), 0.0f);
    EXPECT_EQ(ScaleToFit(100, -1, 50, 50), 0.0f);
    EXPECT_EQ(CalcTypeToVarType(ctPageSetDesc), vtPageSetDesc);
    EXPECT_EQ(CalcTypeToVarType(ctCustom), vtDate);
    EXPECT_EQ(EventIdForVariableType(veGroupBeforeFooter), 30);
    EXPECT_EQ(EventIdForVariableType(veTraversal), 35);
    EXPECT_EQ(TppMath::Max(-3, -7), -3);
    EXPECT_EQ(TppStrUtils::LeftStr(QStringLiteral("abc"), 2), QStringLiteral("ab"));
}

TEST(EngineHelpers, TextsAndLists) {
    EXPECT_EQ(PadToLength(QStringLiteral("abc"), 8, 2), QStringLiteral("  abc   "));
    EXPECT_EQ(PadToLength(QStringLiteral("abc"), 5, 1), QStringLiteral("  abc"));
    EXPECT_EQ(PadToLength(QStringLiteral("abc"), 5, 0), QStringLiteral("abc  "));
    EXPECT_EQ(PadToLength(QStringLiteral("abcdef"), 4, 1), QStringLiteral("abcd"));
    EXPECT_EQ(ExtractPathWithSlash(QStringLiteral("/tmp/reports/day.rtm")), QStringLiteral("/tmp/reports/"));
    EXPECT_EQ(ExtractPathWithSlash(QStringLiteral("day.rtm")), QString());
    EXPECT_EQ(RemoveCharFromText(u'&', QStringLiteral("&Print && Go")), QStringLiteral("Print  Go"));
    EXPECT_TRUE(TextEqualsIgnoreCase(QStringLiteral("DataPipeline"), QStringLiteral("datapipeline")));
    EXPECT_TRUE(TextEqualsIgnoreCase(QStringLiteral("Ärger"), QStringLiteral("äRGER")));
    EXPECT_FALSE(TextEqualsIgnoreCase(QStringLiteral("Label1"), QStringLiteral("Label2")));

    TStringList parts;
    SplitCommaText(QStringLiteral("a,,b,"), parts);
    EXPECT_EQ(parts.ToStringList(), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));

    TStringList lengths;
    lengths.SetStrings({QStringLiteral("25400"), QStringLiteral("6350"), QStringLiteral("x")});
    MMThousandthsListToUnits(lengths, utInches, reportengine::kHorizontal, nullptr);
    EXPECT_EQ(lengths.ToStringList(), (QStringList{QStringLiteral("1"), QStringLiteral("0.25"), QStringLiteral("0")}));
    lengths.SetStrings({QStringLiteral("1"), QStringLiteral("0.25"), QStringLiteral("?")});
    UnitsListToMMThousandths(lengths, utInches, reportengine::kHorizontal, nullptr);
    EXPECT_EQ(lengths.ToStringList(),
              (QStringList{QStringLiteral("25400"), QStringLiteral("6350"), QStringLiteral("0")}));

    TMemoryStream stream;
    StringsToStream(&parts, &stream);
    EXPECT_EQ(stream.Size(), 8);  // "a", "", "b", each followed by CR LF
    StringsToStream(nullptr, &stream);
    EXPECT_EQ(stream.Size(), 8);
}

TEST(EngineHelpers, RegListReportsAdditionsAndDeletions) {
    TppRegList list;
    int changes = 0;
    list.OnRegListChange = [&changes] { ++changes; };
    list.Add(QStringLiteral("TppLabel"));
    list.AddObject(QStringLiteral("TppShape"), nullptr);
    list.Delete(0);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list.ToStringList(), QStringList{QStringLiteral("TppShape")});
}

TEST(EngineThreads, MainThreadAndBackgroundGenerations) {
    EXPECT_TRUE(IsMainThread());
    const auto askOnWorker = [] {
        bool answer = true;
        std::thread worker([&answer] { answer = IsMainThread(); });
        worker.join();
        return answer;
    };
    EXPECT_FALSE(askOnWorker());
    EnterBackgroundPrinting();
    EXPECT_TRUE(askOnWorker());
    LeaveBackgroundPrinting();
    EXPECT_FALSE(askOnWorker());
    // Leaving more often than entering never makes the count negative.
    LeaveBackgroundPrinting();
    EnterBackgroundPrinting();
    EXPECT_TRUE(askOnWorker());
    LeaveBackgroundPrinting();
    EXPECT_FALSE(askOnWorker());
}

TEST(EngineFiles, TemporaryFilesAreNewAndEmpty) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString first = CreateTempFileName(folder.path(), QStringLiteral("arc"));
    const QString second = CreateTempFileName(folder.path(), QStringLiteral("arc"));
    EXPECT_NE(first, second);
    for (const QString& name : {first, second}) {
        const QFileInfo info(name);
        EXPECT_TRUE(info.isFile());
        EXPECT_EQ(info.size(), 0);
        EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("arc")));
        EXPECT_EQ(info.absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
    }
    EXPECT_THROW(CreateTempFileName(folder.filePath(QStringLiteral("missing")), QStringLiteral("arc")), EFCreateError);
    EXPECT_TRUE(GetTempDirectory().endsWith(u'/'));
}

}  // namespace
