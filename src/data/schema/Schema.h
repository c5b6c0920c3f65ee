// The Jet SQL that creates a database and the statements of each upgrade step.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace data {

// The statements that make an empty file a 5.2 database with its first RanvelGlobal row, whose
// booking until-date is the given day.
QStringList CreationStatements(TDateTime untilDate);

struct UpgradeStatement {
    QString sql;
    bool mayFail = false;  // run in its own guard: a failure is ignored
};

// One step of the upgrade chain: its statements in order and the title its failure message starts with.
struct UpgradeStep {
    QString title;
    std::vector<UpgradeStatement> statements;
};

const UpgradeStep& Step51();
const UpgradeStep& Step52();
const UpgradeStep& Step61();
const UpgradeStep& Step62();
const UpgradeStep& Step63();

}  // namespace data
