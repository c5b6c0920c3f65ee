// Query and command parameters and reading their names out of SQL texts.
#include "platform/db/Parameters.h"

#include "platform/db/Fields.h"
#include "platform/rtl/Exceptions.h"

void TParameter::SetValue(const QVariant& value) {
    if (value.isNull() || DataType == ftUnknown) {
        value_ = value.isNull() ? QVariant() : value;
        return;
    }
    value_ = CreateFieldForType(DataType, Size)->Normalize(value);
}

TParameter* TParameters::FindParam(const QString& name) const {
    for (const auto& parameter : items_)
        if (parameter->Name.compare(name, Qt::CaseInsensitive) == 0) return parameter.get();
    return nullptr;
}

TParameter& TParameters::ParamByName(const QString& name) const {
    TParameter* parameter = FindParam(name);
    if (!parameter) DatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
    return *parameter;
}

TParameter& TParameters::AddParameter() {
    items_.push_back(std::make_unique<TParameter>());
    return *items_.back();
}

TParameter& TParameters::CreateParameter(const QString& name, TFieldType dataType, TParameterDirection direction,
                                         int size, const QVariant& value) {
    TParameter& parameter = AddParameter();
    parameter.Name = name;
    parameter.DataType = dataType;
    parameter.Direction = direction;
    parameter.Size = size;
    parameter.SetValue(value);
    return parameter;
}

void TParameters::ParseSQL(const QString& sql) {
    std::vector<std::unique_ptr<TParameter>> parsed;
    for (const QString& name : db::ParameterNamesOf(sql)) {
        auto parameter = std::make_unique<TParameter>();
        if (TParameter* old = FindParam(name)) *parameter = *old;
        parameter->Name = name;
        parsed.push_back(std::move(parameter));
    }
    items_ = std::move(parsed);
}

namespace db {

QStringList ParameterNamesOf(const QString& sql) {
    QStringList names;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'[' || c == u'#') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            const int end = sql.indexOf(close, i + 1);
            // A '#' that does not open a date stays where it is.
            if (c == u'#' && end < 0) continue;
            i = end < 0 ? sql.size() : end;
            continue;
        }
        if (c != u':' || i + 1 >= sql.size() || !(sql[i + 1].isLetter() || sql[i + 1] == u'_')) continue;
        int end = i + 1;
        while (end < sql.size() && (sql[end].isLetterOrNumber() || sql[end] == u'_')) ++end;
        const QString name = sql.mid(i + 1, end - i - 1);
        if (!names.contains(name, Qt::CaseInsensitive)) names << name;
        i = end - 1;
    }
    return names;
}

}  // namespace db
