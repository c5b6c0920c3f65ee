// Lookups on a table definition and its stored form in the catalog.
#include "platform/sql/TableDef.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace sql {
namespace {

template <typename List>
int IndexOfName(const List& list, const QString& name) {
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QJsonArray ToArray(const QStringList& list) { return QJsonArray::fromStringList(list); }

QStringList FromArray(const QJsonValue& value) {
    QStringList list;
    for (const QJsonValue& item : value.toArray()) list << item.toString();
    return list;
}

}  // namespace

int TableDef::ColumnIndex(const QString& column) const { return IndexOfName(columns, column); }
int TableDef::IndexIndex(const QString& index) const { return IndexOfName(indexes, index); }
int TableDef::ForeignKeyIndex(const QString& constraint) const { return IndexOfName(foreignKeys, constraint); }

const IndexDef* TableDef::PrimaryKey() const {
    for (const IndexDef& index : indexes) {
        if (index.primary) return &index;
    }
    return nullptr;
}

bool TableDef::InPrimaryKey(const QString& column) const {
    const IndexDef* key = PrimaryKey();
    if (!key) return false;
    for (const IndexColumn& c : key->columns) {
        if (c.name.compare(column, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

QByteArray TableDef::ToJson() const {
    QJsonArray columnArray;
    for (const ColumnDef& c : columns) {
        columnArray.append(QJsonObject{{"name", c.name},
                                       {"type", JetTypeName(c.type)},
                                       {"size", c.size},
                                       {"notNull", c.notNull},
                                       {"seed", c.seed},
                                       {"step", c.step}});
    }
    QJsonArray indexArray;
    for (const IndexDef& index : indexes) {
        QJsonArray parts;
        for (const IndexColumn& c : index.columns) parts.append(QJsonObject{{"name", c.name}, {"desc", c.descending}});
        indexArray.append(QJsonObject{
            {"name", index.name}, {"columns", parts}, {"unique", index.unique}, {"primary", index.primary}});
    }
    QJsonArray keyArray;
    for (const ForeignKeyDef& key : foreignKeys) {
        keyArray.append(QJsonObject{{"name", key.name},
                                    {"columns", ToArray(key.columns)},
                                    {"refTable", key.refTable},
                                    {"refColumns", ToArray(key.refColumns)},
                                    {"updateCascade", key.updateCascade},
                                    {"deleteCascade", key.deleteCascade}});
    }
    const QJsonObject table{
        {"name", name}, {"columns", columnArray}, {"indexes", indexArray}, {"foreignKeys", keyArray}};
    return QJsonDocument(table).toJson(QJsonDocument::Compact);
}

TableDef TableDef::FromJson(const QByteArray& json) {
    const QJsonObject table = QJsonDocument::fromJson(json).object();
    TableDef def;
    def.name = table["name"].toString();
    for (const QJsonValue& value : table["columns"].toArray()) {
        const QJsonObject o = value.toObject();
        ColumnDef c;
        c.name = o["name"].toString();
        c.type = JetTypeFromName(o["type"].toString()).value_or(JetType::Variant);
        c.size = o["size"].toInt();
        c.notNull = o["notNull"].toBool();
        c.seed = o["seed"].toInteger(1);
        c.step = o["step"].toInteger(1);
        def.columns << c;
    }
    for (const QJsonValue& value : table["indexes"].toArray()) {
        const QJsonObject o = value.toObject();
        IndexDef index;
        index.name = o["name"].toString();
        index.unique = o["unique"].toBool();
        index.primary = o["primary"].toBool();
        for (const QJsonValue& part : o["columns"].toArray()) {
            index.columns << IndexColumn{part["name"].toString(), part["desc"].toBool()};
        }
        def.indexes << index;
    }
    for (const QJsonValue& value : table["foreignKeys"].toArray()) {
        const QJsonObject o = value.toObject();
        def.foreignKeys << ForeignKeyDef{o["name"].toString(),        FromArray(o["columns"]),
                                         o["refTable"].toString(),    FromArray(o["refColumns"]),
                                         o["updateCascade"].toBool(), o["deleteCascade"].toBool()};
    }
    return def;
}

}  // namespace sql
