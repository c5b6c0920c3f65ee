// TppRegList: a string list that reports every addition and deletion to its change handler.
#pragma once

#include "platform/rtl/StringList.h"

#include <functional>

class TppRegList : public TStringList {
public:
    int AddObject(const QString& text, void* object) override;
    void Delete(int index) override;

    // Called after every AddObject and Delete.
    std::function<void()> OnRegListChange;
};
