// The engine's exception family, the stored names of its enumerated types and the no-data behaviour set.
#include "reportengine/core/ppTypes.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineTypes, EveryEngineErrorIsCaughtAsTheRoot) {
    const auto raiseAndCatch = [](auto raise) {
        try {
            raise();
        } catch (const EVediduRizererError& e) {
            return e.Message();
        }
        return QString();
    };
    EXPECT_EQ(raiseAndCatch([] { throw EPrintError(QStringLiteral("print")); }), QStringLiteral("print"));
    EXPECT_EQ(raiseAndCatch([] { throw EBackgroundPrintTimeoutError(QStringLiteral("late")); }),
              QStringLiteral("late"));
    EXPECT_EQ(raiseAndCatch([] { throw EParameterError(QStringLiteral("param")); }), QStringLiteral("param"));
    EXPECT_THROW(throw EBackgroundPrintTimeoutError(QStringLiteral("x")), EBackgroundPrintError);
    EXPECT_THROW(throw EOutlineError(QStringLiteral("x")), Exception);
}

TEST(EngineTypes, StoredValueNames) {
    EXPECT_EQ(reportengine::EnumNames<TppDataType>().size(), 18);
    EXPECT_EQ(reportengine::EnumName(dtLargeInt), QStringLiteral("dtLargeInt"));
    EXPECT_EQ(reportengine::EnumName(bcUPC_A), QStringLiteral("bcUPC_A"));
    EXPECT_EQ(reportengine::EnumName(utMMThousandths), QStringLiteral("utMMThousandths"));
    EXPECT_EQ(reportengine::EnumName(hsEndScroll), QStringLiteral("hsEndScroll"));
    EXPECT_EQ(reportengine::EnumName(TppUnitType(5)), QString());
    EXPECT_EQ(reportengine::EnumNames<TppLanguageType>().size(), 14);
    EXPECT_EQ(reportengine::EnumNames<TppSearchOperatorType>().last(), QStringLiteral("soNotBlank"));

    TppSortOrderType order = soAscending;
    EXPECT_TRUE(reportengine::EnumFromName(QStringLiteral("soDescending"), order));
    EXPECT_EQ(order, soDescending);
    TppPageSettingType setting = psAll;
    EXPECT_TRUE(reportengine::EnumFromName(QStringLiteral("PSPAGERANGE"), setting));
    EXPECT_EQ(setting, psPageRange);
    EXPECT_FALSE(reportengine::EnumFromName(QStringLiteral("psOnePass"), setting));  // another type's value
    EXPECT_EQ(setting, psPageRange);
}

TEST(EngineTypes, NoDataBehaviorsAreABitSet) {
    EXPECT_EQ(kDefaultNoDataBehaviors.Bits(), 4u);
    EXPECT_TRUE(kDefaultNoDataBehaviors.Contains(ndBlankPage));
    TppNoDataBehaviors set{ndMessageDialog, ndBlankReport};
    EXPECT_EQ(set.Bits(), 9u);
    set.Exclude(ndMessageDialog);
    set.Include(ndMessageOnPage);
    EXPECT_EQ(set, TppNoDataBehaviors::FromBits(10));
    EXPECT_EQ(TppNoDataBehaviors::FromBits(0xFF).Bits(), 15u);
    EXPECT_TRUE(TppNoDataBehaviors().IsEmpty());
}

}  // namespace
