// TFields: a dataset's fields in list order, found by name without regard to case.
#pragma once

#include "platform/db/Field.h"

#include <memory>
#include <vector>

class TFields {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TField* operator[](int index) const { return items_.at(index).get(); }
    TField* Fields(int index) const { return items_.at(index).get(); }
    // nullptr when no field has the name.
    TField* FindField(const QString& name) const;
    int IndexOf(const TField* field) const;

private:
    friend class TDataSet;
    std::vector<std::unique_ptr<TField>> items_;
};

// A field object of the class the framework uses for the type.
std::unique_ptr<TField> CreateFieldForType(TFieldType type, int size);
