// Picture masks: matching, rewriting, auto-fill and the syntax check.
#include "controls/edit/Wwpict.h"

#include <gtest/gtest.h>

namespace {

struct PictureCase {
    const char* mask;
    const char* text;
    bool autoFill;
    int answer;
    const char* textAfterwards;
};

void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << "mask '" << c.mask << "' text '" << c.text << "' auto-fill " << c.autoFill;
}

class PictureCases : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureCases, AnswerAndRewrittenText) {
    const PictureCase& c = GetParam();
    TwwPictureValidator validator(QString::fromUtf8(c.mask), c.autoFill);
    QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(validator.Picture(text, c.autoFill), c.answer);
    EXPECT_EQ(text, QString::fromUtf8(c.textAfterwards));
}

INSTANTIATE_TEST_SUITE_P(WorkedCases, PictureCases,
                         testing::Values(PictureCase{"###-####", "555", true, 1, "555-"},  //
                                         PictureCase{"*#", "12", false, 0, "12"},          //
                                         PictureCase{"*#", "12a", false, 3, "12a"},        //
                                         PictureCase{"&&", "ab", false, 0, "AB"},          //
                                         PictureCase{"##:##", "12 ", false, 1, "12:"},     //
                                         PictureCase{"##:##", "12", true, 1, "12:"},       //
                                         PictureCase{"*#-", "12", true, 1, "12"},          //
                                         PictureCase{"#[-#]#", "12", false, 0, "12"},      //
                                         PictureCase{"*3#", "12", false, 1, "12"},         //
                                         PictureCase{"*3#", "123", false, 0, "123"},       //
                                         PictureCase{"*3#", "1234", false, 3, "1234"},     //
                                         PictureCase{"#{[#]#,A}", "1", false, 1, "1"},     //
                                         PictureCase{"{#,A}", "a", false, 0, "A"}));

INSTANTIATE_TEST_SUITE_P(
    Rewriting, PictureCases,
    testing::Values(
        // Case conversion: "!" upper-cases anything, "~" lower-cases letters, accented ones too.
        PictureCase{"!@~", "a1\xc3\x89", false, 0, "A1\xc3\xa9"},
        // A letter is A-Z, a-z or any code above 128.
        PictureCase{"??", "\xc3\xa9z", false, 0, "\xc3\xa9z"},  //
        PictureCase{"?", "1", false, 3, "1"},                   //
        // A literal typed in the other case takes the mask's character.
        PictureCase{"#x#", "1X2", false, 0, "1x2"},
        // A space where a literal is due is an error unless it is the last character.
        PictureCase{"##:##", "12 3", false, 3, "12 3"},
        // ";" makes the next character a literal, even a mask character.
        PictureCase{";##", "#5", false, 0, "#5"},  //
        PictureCase{";##", "55", false, 3, "55"},
        // Auto-fill stops at the next mask character and takes escaped literals as themselves.
        PictureCase{"#;*;?#", "1", true, 1, "1*?"},
        // Characters left over after a complete match are an error.
        PictureCase{"##", "123", false, 3, "123"},
        // Alternatives at the top level: the first that matches wins.
        PictureCase{"##,&&", "ab", false, 0, "AB"},
        // An incomplete alternative tried first that reached further wins over a shorter complete one;
        // tried after the complete one it is never reached.
        PictureCase{"##-#,#", "12", false, 1, "12"},  //
        PictureCase{"#,##-#", "12", false, 3, "12"},
        // Optional parts and open repetitions.
        PictureCase{"#[-#]", "1-", false, 1, "1-"},      //
        PictureCase{"*{#-}", "1-2-", false, 0, "1-2-"},  //
        // Repetitions are greedy: the last digit starts another pass instead of matching the final "#".
        PictureCase{"*{#-}#", "1-2-3", false, 1, "1-2-3"},
        // Auto-fill leaves optional parts out.
        PictureCase{"##[:##]", "12", true, 0, "12"},
        // Auto-fill that would make the text wrong is taken back: "--A" fails the third "-".
        PictureCase{"*3-A", "-", true, 1, "-"},
        // An empty alternative may be left out wherever it stands in its group.
        PictureCase{"#{,A}", "1", false, 0, "1"},  //
        PictureCase{"#{A,}", "1", false, 0, "1"}));

TEST(PictureValidator, EmptyTextIsEmptyForEveryValidMask) {
    for (const char* mask : {"#", "*#", "[#]", "{#,?}", "&&-##"}) {
        TwwPictureValidator validator(QString::fromUtf8(mask), true);
        QString text;
        EXPECT_EQ(validator.Picture(text, true), TwwPictureValidator::Empty) << mask;
        EXPECT_EQ(validator.Status(), 0) << mask;
    }
}

TEST(PictureValidator, SyntaxErrorsAnswerFourAndSetStatus) {
    // Empty; ending in ";" or in an unescaped "*"; unbalanced brackets or braces.
    for (const char* mask : {"", "##;", "#*", "[#", "{#", "#]"}) {
        TwwPictureValidator validator(QString::fromUtf8(mask), false);
        QString text = QStringLiteral("1");
        EXPECT_EQ(validator.Picture(text, false), TwwPictureValidator::SyntaxError) << mask;
        EXPECT_EQ(validator.Status(), 1) << mask;
    }
}

TEST(PictureValidator, CountRunningToTheEndIsASyntaxErrorOnceMatchingReachesIt) {
    TwwPictureValidator validator(QStringLiteral("*3"), false);
    EXPECT_EQ(validator.Status(), 0);
    QString text = QStringLiteral("1");
    EXPECT_EQ(validator.Picture(text, false), TwwPictureValidator::SyntaxError);
}

TEST(PictureValidator, SyntaxCheckAcceptsEscapedStarAndBracketsInAnyOrder) {
    for (const char* mask : {"#;*", "]#["}) {
        TwwPictureValidator validator(QString::fromUtf8(mask), false);
        EXPECT_EQ(validator.Status(), 0) << mask;
    }
}

TEST(PictureValidator, IsValidInputRefusesOnlyErrorsAndFillsWhenAsked) {
    TwwPictureValidator filling(QStringLiteral("##-##"), true);
    QString text = QStringLiteral("12");
    EXPECT_TRUE(filling.IsValidInput(text, false));
    EXPECT_EQ(text, QStringLiteral("12-"));
    text = QStringLiteral("12");
    EXPECT_TRUE(filling.IsValidInput(text, true));
    EXPECT_EQ(text, QStringLiteral("12"));
    text = QStringLiteral("1a");
    EXPECT_FALSE(filling.IsValidInput(text, false));

    TwwPictureValidator noMask(QString(), true);
    text = QStringLiteral("anything");
    EXPECT_TRUE(noMask.IsValidInput(text, false));
    EXPECT_TRUE(noMask.IsValid(text));
}

TEST(PictureValidator, IsValidWantsCompleteOrEmptyAndLeavesTheTextAlone) {
    TwwPictureValidator validator(QStringLiteral("&#"), true);
    EXPECT_TRUE(validator.IsValid(QStringLiteral("a1")));
    EXPECT_TRUE(validator.IsValid(QString()));
    EXPECT_FALSE(validator.IsValid(QStringLiteral("a")));
    EXPECT_FALSE(validator.IsValid(QStringLiteral("11")));
    EXPECT_EQ(validator.Options(), 1);
}

}  // namespace
