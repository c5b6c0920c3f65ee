// The small services of opening: minimum program version, user ids in sized columns, the report printer.
#include "data/bookings/UserIdentity.h"
#include "data/module/ProgramVersionCheck.h"
#include "data/module/ReportPrinter.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SystemFacts.h"

#include <gtest/gtest.h>

// The report engine's printer, as far as these tests need one.
class TppPrinter {
public:
    TppPrinter() { ++made; }
    static inline int made = 0;
};

TEST(ProgramVersionCheck, FourNumbersNoNewerThanTheProgram) {
    const TDvVersionInfo program{7, 0, 0, 700};
    const std::vector<std::pair<QString, bool>> cases = {
        {"6.0.0.250", true}, {"7.0.0.700", true}, {"7.0.0.701", false}, {"9.0.0.0", false},
        {"", false},         {"6.0", false},      {"6.0.x.1", false},   {"6.0.0.250.1", false},
        {" 6.0.0.1", false}, {"-1.0.0.0", false}, {"6..0.1", false},    {"99999999999.0.0.0", false},
    };
    for (const auto& [text, allowed] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(data::ProgramVersionAllowed(text, program), allowed);
    }
    EXPECT_TRUE(data::ProgramVersionAllowed("6.0.0.250", ProgramVersion()));
    EXPECT_EQ(data::MinProgramVersionMessage("9.0.0.0"),
              "The database administrator has restricted opening of this database to Tavorin version 9.0.0.0 or "
              "higher. To open the database on this computer install an updated version of Tavorin or contact the "
              "database administrator to have the restriction removed.");
}

TEST(UserIdentity, LoginNameAndColumnFitting) {
    EXPECT_EQ(data::LoginUserName(), rtl::UserName().isEmpty() ? QStringLiteral("n/a") : rtl::UserName());
    const QString longName = QStringLiteral("firstname.middlename.lastname");
    EXPECT_EQ(data::FitToColumn(longName, 20), QStringLiteral("firstname.middlename"));
    EXPECT_EQ(data::FitToColumn(QStringLiteral("ann"), 20), QStringLiteral("ann"));
    EXPECT_EQ(data::FitToColumn(longName, 0), longName);
}

TEST(ReportPrinter, MadeOnFirstUseAndKept) {
    data::ReportPrinterHolder::SetFactory({});
    data::ReportPrinterHolder holder;
    EXPECT_THROW(holder.Get(), EInvalidOperation);
    data::ReportPrinterHolder::SetFactory([] { return std::make_shared<TppPrinter>(); });
    EXPECT_FALSE(holder.Made());
    TppPrinter* first = holder.Get();
    EXPECT_EQ(holder.Get(), first);
    EXPECT_EQ(TppPrinter::made, 1);
    data::ReportPrinterHolder::SetFactory({});
}
