// TParameter and TParameters: the named values of a query or command, found by name without case.
#pragma once

#include "platform/db/DbTypes.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

enum TParameterDirection { pdUnknown, pdInput, pdOutput, pdInputOutput, pdReturnValue };

class TParameter {
public:
    QString Name;
    TFieldType DataType = ftUnknown;
    TParameterDirection Direction = pdInput;
    int Size = 0;

    const QVariant& Value() const { return value_; }
    // The value as the declared type keeps it; raises EConvertError when it does not convert.
    void SetValue(const QVariant& value);

private:
    QVariant value_;
};

class TParameters {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TParameter* operator[](int index) const { return items_.at(index).get(); }
    TParameter* Items(int index) const { return items_.at(index).get(); }
    TParameter* FindParam(const QString& name) const;
    // Raises EDatabaseError "Parameter 'name' not found".
    TParameter& ParamByName(const QString& name) const;
    TParameter& CreateParameter(const QString& name, TFieldType dataType, TParameterDirection direction, int size,
                                const QVariant& value = {});
    TParameter& AddParameter();
    void Clear() { items_.clear(); }
    // Replaces the list with one parameter per :Name of the SQL text, keeping the values and types of those
    // that were already there.
    void ParseSQL(const QString& sql);

private:
    std::vector<std::unique_ptr<TParameter>> items_;
};

namespace db {

// The distinct :Name parameter names of a Jet SQL text in order, skipping literals, [names] and #dates#.
QStringList ParameterNamesOf(const QString& sql);

}  // namespace db
