// A dataset filter text: "Field op value" terms joined by AND and OR, parsed once and tested per record.
#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

class TDataSet;

namespace db {

class FilterExpression {
public:
    // Raises EDatabaseError for a text it cannot read.
    explicit FilterExpression(const QString& text);
    bool Matches(TDataSet& dataSet) const;

private:
    struct Term {
        QString field;
        QString op;
        QVariant value;
    };
    // OR of AND groups.
    QVector<QVector<Term>> groups_;
};

}  // namespace db
