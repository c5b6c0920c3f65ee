// Engine texts: the program's table, placeholders, language modules and the default module beside the program.
#include "reportengine/core/ppTypesResourceManager.h"
#include "reportengine/core/ppTypesTexts.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Runs a test in a temporary current folder, where module files are looked for after the program's own folder,
// and leaves the shared manager as it found it: default language, no modules.
class EngineTextFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        previous_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
    }
    void TearDown() override {
        TppResourceManager& manager = GetResourceManager();
        manager.RemoveModule(QStringLiteral("rbPrint"));
        manager.RemoveModule(QStringLiteral("rbOther"));
        manager.SetLanguage(lgDefault);
        QDir::setCurrent(previous_);
    }
    void WriteModule(const QString& name, const QByteArray& bytes) {
        QFile file(QDir(folder_.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir folder_;
    QString previous_;
};

TEST(EngineText, ProgramTableByNumber) {
    struct Case {
        qint32 n;
        const char* text;
    };
    const Case cases[] = {
        {16, "of"},
        {18, "Page"},
        {1, "100 %"},
        {11, "Enter page numbers and/or page ranges separated by commas.  For example, 1,3,5-12."},
        {1073, "Print in Background"},
        {21, ""},    // a gap in the table
        {1037, ""},  // a gap in the second range
        {500, ""},   // between the ranges
        {101, ""},
        {1074, ""},
        {0, ""},
        {-43000, ""},  // the full id 0
    };
    for (const Case& c : cases) EXPECT_EQ(EngineText(c.n), QString::fromUtf8(c.text)) << c.n;
}

TEST(EngineText, PlaceholdersBecomeFormatMarks) {
    struct Case {
        const char* text;
        const char* expanded;
    };
    const Case cases[] = {
        {"<page><page>", "%s%s"},
        {"<pagecount> and <page>", "%s and %s"},
        {"<Page> <PAGECOUNT>", "<Page> <PAGECOUNT>"},  // other case is no placeholder
        {"CrossTab: <name> references field '<name>'", "CrossTab: %s references field '%s'"},
        {"<no><length><message><count>", "%s%s%s%s"},
        {"plain", "plain"},
    };
    EXPECT_EQ(ExpandTextPlaceholders(EngineText(10)), QStringLiteral("Drawing page %s of %s for report %s"));
    for (const Case& c : cases)
        EXPECT_EQ(ExpandTextPlaceholders(QString::fromUtf8(c.text)), QString::fromUtf8(c.expanded));
}

TEST(EngineText, FormatFillsPlaceholdersInTextOrder) {
    EXPECT_EQ(EngineTextFormat(10, {QStringLiteral("3"), QStringLiteral("12"), QStringLiteral("Daily List")}),
              QStringLiteral("Drawing page 3 of 12 for report Daily List"));
    // A missing argument leaves its place empty instead of losing the message.
    EXPECT_EQ(EngineTextFormat(67, {}), QStringLiteral("Unable to open file: ."));
    EXPECT_EQ(EngineTextFormat(1, {}), QStringLiteral("100 %"));
}

TEST(EngineText, LanguageExtensions) {
    EXPECT_EQ(LanguageFileExtension(lgDefault), QStringLiteral("dft"));
    EXPECT_EQ(LanguageFileExtension(lgGerman), QStringLiteral("deu"));
    EXPECT_EQ(LanguageFileExtension(lgPortugueseBrazil), QStringLiteral("ptb"));
    EXPECT_EQ(LanguageFileExtension(lgCustom), QStringLiteral("cst"));
}

TEST_F(EngineTextFixture, GermanModuleReplacesItsTextsOnly) {
    WriteModule(QStringLiteral("rbPrint.deu"), "43018\tSeite\n43016\tvon\n");
    TppResourceManager& manager = GetResourceManager();
    manager.AddModule(QStringLiteral("rbPrint"));
    ASSERT_TRUE(manager.SetLanguage(lgGerman));
    EXPECT_EQ(manager.Language(), lgGerman);
    EXPECT_EQ(EngineText(18), QStringLiteral("Seite"));
    EXPECT_EQ(EngineText(16), QStringLiteral("von"));
    EXPECT_EQ(EngineText(17), QStringLiteral("OK"));  // the module lacks it: the program's table
    ASSERT_TRUE(manager.SetLanguage(lgDefault));
    EXPECT_EQ(EngineText(18), QStringLiteral("Page"));
}

TEST_F(EngineTextFixture, LanguageWithoutModuleFileIsRefused) {
    TppResourceManager& manager = GetResourceManager();
    manager.AddModule(QStringLiteral("rbPrint"));
    ASSERT_TRUE(manager.SetLanguage(lgDefault));
    ASSERT_EQ(manager.LoadedCount(), 1);  // the default module beside the program
    EXPECT_FALSE(manager.SetLanguage(lgFrench));
    EXPECT_EQ(manager.Language(), lgDefault);
    EXPECT_EQ(EngineText(18), QStringLiteral("Page"));
    // The default module is back, so the errors it words keep their texts.
    EXPECT_EQ(manager.LoadedCount(), 1);
    EXPECT_FALSE(EngineText(415).isEmpty());
    // The program's own table always serves the default language.
    manager.RemoveModule(QStringLiteral("rbPrint"));
    EXPECT_TRUE(manager.SetLanguage(lgDefault));
}

TEST_F(EngineTextFixture, RegisteringTwiceKeepsOneModule) {
    WriteModule(QStringLiteral("rbPrint.deu"), "43018\tSeite\n");
    TppResourceManager& manager = GetResourceManager();
    ASSERT_TRUE(manager.SetLanguage(lgDefault));
    manager.AddModule(QStringLiteral("rbPrint"));
    const int modules = manager.ModuleCount();
    manager.AddModule(QStringLiteral("RBPRINT"));
    EXPECT_EQ(manager.ModuleCount(), modules);
    ASSERT_TRUE(manager.SetLanguage(lgGerman));
    EXPECT_EQ(manager.LoadedCount(), 1);
    manager.RemoveModule(QStringLiteral("rbPrint"));
    EXPECT_EQ(manager.LoadedCount(), 0);
    EXPECT_EQ(EngineText(18), QStringLiteral("Page"));
}

TEST_F(EngineTextFixture, FirstRegisteredModuleWins) {
    WriteModule(QStringLiteral("rbPrint.deu"), "43018\tSeite\n");
    WriteModule(QStringLiteral("rbOther.deu"), "43018\tBlatt\n43017\tJa\n");
    TppResourceManager& manager = GetResourceManager();
    manager.AddModule(QStringLiteral("rbPrint"));
    manager.AddModule(QStringLiteral("rbOther"));
    ASSERT_TRUE(manager.SetLanguage(lgGerman));
    EXPECT_EQ(manager.LoadedCount(), 2);
    EXPECT_EQ(EngineText(18), QStringLiteral("Seite"));
    EXPECT_EQ(EngineText(17), QStringLiteral("Ja"));
}

TEST_F(EngineTextFixture, MalformedAndBinaryModulesAreReadLineByLine) {
    QByteArray bytes(
        "\xEF\xBB\xBF"
        "43018\tSeite\r\n");                                 // byte-order mark, CR LF
    bytes += "not a line\n\t43016\tno id\n43x17\tbad id\n";  // skipped
    bytes += QByteArray("\x00\xFF\xFE\x89PNG\n", 9);         // not text at all
    bytes += "43016\t\n";                                    // empty: not in the module
    bytes += QByteArray("43062\tcut\0here\n", 15);           // a zero character ends the text
    bytes += "43063\t" + QByteArray(2000, 'x') + "\n";       // longer than the buffer
    bytes += "43018\tsecond\n";                              // the first line of an id counts
    WriteModule(QStringLiteral("rbPrint.deu"), bytes);
    TppResourceManager& manager = GetResourceManager();
    manager.AddModule(QStringLiteral("rbPrint"));
    ASSERT_TRUE(manager.SetLanguage(lgGerman));
    EXPECT_EQ(EngineText(18), QStringLiteral("Seite"));
    EXPECT_EQ(EngineText(16), QStringLiteral("of"));
    EXPECT_EQ(EngineText(17), QStringLiteral("OK"));
    EXPECT_EQ(EngineText(62), QStringLiteral("cut"));
    EXPECT_EQ(EngineText(63), QString(1023, u'x'));
}

TEST_F(EngineTextFixture, DefaultModuleBesideTheProgramWordsTheErrorsTheTableLacks) {
    TppResourceManager& manager = GetResourceManager();
    ASSERT_TRUE(manager.SetLanguage(lgDefault));
    for (qint32 n : {284, 290, 342, 415, 459}) EXPECT_EQ(EngineText(n), QString()) << n;
    manager.AddModule(QStringLiteral("rbPrint"));
    EXPECT_EQ(manager.LoadedCount(), 1);
    for (qint32 n : {284, 290, 342, 415, 459}) EXPECT_FALSE(EngineText(n).isEmpty()) << n;
    // Text 415 is shown followed by ".", so it carries no full stop of its own.
    EXPECT_FALSE(EngineText(415).endsWith(u'.'));
    EXPECT_EQ(EngineText(16), QStringLiteral("of"));
    EXPECT_EQ(EngineText(500), QString());
}

}  // namespace
