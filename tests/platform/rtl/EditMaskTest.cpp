// Edit masks without a window: fields, layout of values, reading back, required positions, typing.
#include "platform/rtl/EditMask.h"
#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    const char* mask;
    const char* value;
    const char* editText;
    const char* text;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << "mask '" << c.mask << "' value '" << c.value << "'"; }

class EditMaskFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(EditMaskFormat, ValueShownAndReadBack) {
    const FormatCase& c = GetParam();
    const rtl::EditMask mask(QString::fromUtf8(c.mask));
    const QString editText = mask.FormatText(QString::fromUtf8(c.value), mask.SavesLiterals());
    EXPECT_EQ(editText, QString::fromUtf8(c.editText));
    EXPECT_EQ(mask.TextOf(editText), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(EditMask, EditMaskFormat,
                         testing::Values(
                             // Literals saved: the value carries them; not saved: it holds the typed characters only.
                             FormatCase{"000-0000;1;_", "555-1234", "555-1234", "555-1234"},
                             FormatCase{"000-0000;0;_", "5551234", "555-1234", "5551234"},
                             // Without the other fields literals are saved and "_" is the blank.
                             FormatCase{"000-0000", "555-12", "555-12__", "555-12  "},
                             // Blanks show as the blank character and read back as spaces.
                             FormatCase{"(999)000-0000;1;_", "", "(___)___-____", "(   )   -    "},
                             FormatCase{"(999)000-0000;0;_", "", "(___)___-____", "          "},
                             FormatCase{"00:00;1;*", "1", "1*:**", "1 :  "},
                             // A character a position refuses becomes a blank.
                             FormatCase{"00;1;_", "1x", "1_", "1 "},
                             // Case conversion: > upper, < lower, <> none.
                             FormatCase{">LL<ll<>L;0;_", "abCDe", "ABcde", "ABcde"},
                             // A, a letters or digits; C, c anything; # a digit or a sign.
                             FormatCase{"AaCc#;0; ", "1b-!+", "1b-!+", "1b-!+"}, FormatCase{"A#;0; ", "-x", "  ", "  "},
                             // \ makes a mask character or a separator a literal.
                             FormatCase{"\\A00;0;_", "12", "A12", "12"}, FormatCase{"0\\;0;0;_", "12", "1;2", "12"},
                             // "!" takes no position; "_" stands for a literal blank.
                             FormatCase{"!\\(999\\)\\ 000;0;*", "123456", "(123) 456", "123456"},
                             FormatCase{"00_00;1;*", "12 34", "12 34", "12 34"}));

TEST(EditMask, SeparatorsAreTheLocalesAndNoMaskPassesTextsThrough) {
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DateSeparator = u'.';
    FormatSettings.TimeSeparator = u'h';
    const rtl::EditMask mask(QStringLiteral("00/00 00:00;0;_"));
    FormatSettings = saved;
    EXPECT_EQ(mask.FormatText(QStringLiteral("31121230"), false), QStringLiteral("31.12 12h30"));

    const rtl::EditMask none;
    EXPECT_FALSE(none.IsMasked());
    EXPECT_EQ(none.FormatText(QStringLiteral("a b"), true), QStringLiteral("a b"));
    EXPECT_EQ(none.TextOf(QStringLiteral("a b")), QStringLiteral("a b"));
}

TEST(EditMask, FirstMissingFindsOnlyRequiredBlankPositions) {
    const rtl::EditMask mask(QStringLiteral("(999)000-0000;1;_"));
    EXPECT_EQ(mask.FirstMissing(QStringLiteral("(___)555-____")), 9);
    EXPECT_EQ(mask.FirstMissing(QStringLiteral("(___)5_5-1234")), 6);
    EXPECT_EQ(mask.FirstMissing(QStringLiteral("(   )555 1234")), -1);
    EXPECT_EQ(mask.FirstMissing(QStringLiteral("(1 3)5 5-1234")), 6);
}

TEST(EditMask, EmptyTextHoldsOnlyLiteralsBlanksAndSpaces) {
    const rtl::EditMask mask(QStringLiteral("(999)000-0000;1;*"));
    EXPECT_TRUE(mask.IsEmptyText(QStringLiteral("(***)***-****")));
    EXPECT_TRUE(mask.IsEmptyText(QStringLiteral("(   )   -    ")));
    EXPECT_TRUE(mask.IsEmptyText(QString()));
    EXPECT_FALSE(mask.IsEmptyText(QStringLiteral("(   )  5-    ")));
    EXPECT_FALSE(mask.IsEmptyText(QStringLiteral("(___)___-____")));
}

// The phone mask the typing tests share; positions 0 "(", 4 ")" and 8 "-" are literals.
const rtl::EditMask& Phone() {
    static const rtl::EditMask mask(QStringLiteral("(999)000-0000;1;_"));
    return mask;
}

rtl::MaskedEditState Typed(rtl::MaskedEditState state, const QString& keys) {
    for (const QChar key : keys) rtl::TypeMaskedCharacter(Phone(), state, key);
    return state;
}

TEST(MaskedTyping, FillsPositionsAndStepsOverLiterals) {
    rtl::MaskedEditState state{QStringLiteral("(___)___-____"), 0, 0};
    state = Typed(state, QStringLiteral("555"));
    EXPECT_EQ(state.editText, QStringLiteral("(555)___-____"));
    EXPECT_EQ(state.selStart, 5);
    state = Typed(state, QStringLiteral("1234567"));
    EXPECT_EQ(state.editText, QStringLiteral("(555)123-4567"));
    EXPECT_EQ(state.selStart, 13);
    EXPECT_FALSE(rtl::TypeMaskedCharacter(Phone(), state, u'8'));
}

TEST(MaskedTyping, RefusedCharacterLeavesTheStateAndSelection) {
    rtl::MaskedEditState state{QStringLiteral("(555)123-4567"), 5, 3};
    EXPECT_FALSE(rtl::TypeMaskedCharacter(Phone(), state, u'x'));
    EXPECT_EQ(state.editText, QStringLiteral("(555)123-4567"));
    EXPECT_EQ(state.selLength, 3);
}

TEST(MaskedTyping, TypingOverASelectionBlanksItFirst) {
    rtl::MaskedEditState state{QStringLiteral("(555)123-4567"), 2, 5};
    ASSERT_TRUE(rtl::TypeMaskedCharacter(Phone(), state, u'9'));
    EXPECT_EQ(state.editText, QStringLiteral("(59_)__3-4567"));
    EXPECT_EQ(state.selStart, 3);
    EXPECT_EQ(state.selLength, 0);
}

TEST(MaskedTyping, TypingTheLiteralAtTheCaretStepsOverIt) {
    rtl::MaskedEditState state{QStringLiteral("(55_)___-____"), 4, 0};
    ASSERT_TRUE(rtl::TypeMaskedCharacter(Phone(), state, u')'));
    EXPECT_EQ(state.editText, QStringLiteral("(55_)___-____"));
    EXPECT_EQ(state.selStart, 5);
}

TEST(MaskedTyping, CaseConversionAppliesToTypedLetters) {
    const rtl::EditMask mask(QStringLiteral(">L<L;1;_"));
    rtl::MaskedEditState state{QStringLiteral("__"), 0, 0};
    for (const QChar key : QStringLiteral("aB")) ASSERT_TRUE(rtl::TypeMaskedCharacter(mask, state, key));
    EXPECT_EQ(state.editText, QStringLiteral("Ab"));
}

struct DeleteCase {
    int selStart;
    int selLength;
    bool backward;
    const char* editText;
    int caret;
};

TEST(MaskedTyping, DeletingLeavesBlanksAndSkipsLiterals) {
    const DeleteCase cases[] = {
        {9, 0, true, "(555)12_-4567", 7},   // Backspace after a literal clears the position before it
        {1, 0, true, "(555)123-4567", 1},   // nothing to clear before the first position
        {4, 0, false, "(555)_23-4567", 4},  // Delete on a literal clears the next position
        {2, 8, true, "(5__)___-_567", 2},   // a selection is cleared either way, literals stay
        {2, 8, false, "(5__)___-_567", 2},
    };
    for (const DeleteCase& c : cases) {
        rtl::MaskedEditState state{QStringLiteral("(555)123-4567"), c.selStart, c.selLength};
        if (c.backward) rtl::DeleteMaskedBackward(Phone(), state);
        else rtl::DeleteMaskedForward(Phone(), state);
        EXPECT_EQ(state.editText, QString::fromUtf8(c.editText)) << c.selStart << " " << c.backward;
        EXPECT_EQ(state.selStart, c.caret) << c.selStart << " " << c.backward;
        EXPECT_EQ(state.selLength, 0);
    }
}

TEST(MaskedTyping, CaretMovesStepOverLiterals) {
    using Move = rtl::MaskedCaretMove;
    EXPECT_EQ(rtl::MoveMaskedCaret(Phone(), 3, Move::Right), 5);
    EXPECT_EQ(rtl::MoveMaskedCaret(Phone(), 5, Move::Left), 3);
    EXPECT_EQ(rtl::MoveMaskedCaret(Phone(), 1, Move::Left), 1);
    EXPECT_EQ(rtl::MoveMaskedCaret(Phone(), 12, Move::Right), 13);
    EXPECT_EQ(rtl::MoveMaskedCaret(Phone(), 13, Move::Right), 13);
    EXPECT_EQ(rtl::MoveMaskedCaret(Phone(), 7, Move::Home), 1);
    EXPECT_EQ(rtl::MoveMaskedCaret(Phone(), 7, Move::End), 13);
}

TEST(EditMask, FormatMaskTextInsertsLiteralsTheValueLacks) {
    EXPECT_EQ(FormatMaskText(QStringLiteral("!\\(999\\)\\ 000\\-0000;0; "), QStringLiteral("5551234567")),
              QStringLiteral("(555) 123-4567"));
    EXPECT_EQ(FormatMaskText(QStringLiteral("00000;0; "), QStringLiteral("12345")), QStringLiteral("12345"));
    EXPECT_EQ(FormatMaskText(QStringLiteral("00000;0;_"), QStringLiteral("123")), QStringLiteral("123__"));
    EXPECT_EQ(FormatMaskText(QStringLiteral("000-00;1;_"), QStringLiteral("123-45")), QStringLiteral("123-45"));
    EXPECT_EQ(FormatMaskText(QString(), QStringLiteral("as is")), QStringLiteral("as is"));
}

}  // namespace
