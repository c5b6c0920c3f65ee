// A dataset that publishes the library's per-field lists, with fields defined but never opened.
#pragma once

#include "platform/db/DataSet.h"
#include "platform/rtl/StringList.h"

#include <QObject>

namespace controls_test {

class ListDataSet : public QObject, public TDataSet {
public:
    explicit ListDataSet(const QStringList& fieldNames = {}) {
        for (const QString& name : fieldNames) AddField<TStringField>(name);
        setProperty("PictureMasks", QVariant::fromValue<TStrings*>(&PictureMasks));
        setProperty("ControlType", QVariant::fromValue<TStrings*>(&ControlType));
        setProperty("LookupFields", QVariant::fromValue<TStrings*>(&LookupFields));
        setProperty("LookupLinks", QVariant::fromValue<TStrings*>(&LookupLinks));
    }
    TStringList PictureMasks;
    TStringList ControlType;
    TStringList LookupFields;
    TStringList LookupLinks;

protected:
    std::shared_ptr<db::Cursor> CreateCursor() override { return nullptr; }
};

}  // namespace controls_test
