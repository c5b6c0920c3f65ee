// TResourceDateBookings: the bookings of chosen resources over whole dates, one cell per date (multi-day and month).
#pragma once

#include "data/bookings/ResourceList.h"
#include "data/layout/DateBookings.h"
#include "platform/db/ADODataSet.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <vector>

class TResourceDateBookings {
public:
    // 2 builds month cells; any other value booking cells.
    quint8 Mode = 0;
    TADOQuery Query;
    int ResourceCount = 0;
    // A copy of the caller's resources in the caller's order.
    TResourceList Resources;
    // Date parts.
    TDateTime FirstDate = 0;
    TDateTime LastDate = 0;
    // "mmm dd" of every date of the window.
    TStringList DateCaptions;
    // Two non-staged bookings of one resource overlap in time.
    bool HasOverlaps = false;

    void SetConnection(TADOConnection* connection) { Query.SetConnection(connection); }
    // Reads the bookings of the resources that touch FirstDate..LastDate (FirstDate not after LastDate) with one
    // statement and lays them out by the mode; false when the load failed.
    bool LoadBookings(const TResourceList& resources, quint8 mode, TDateTime firstDate, TDateTime lastDate);
    // The dates of Resources[index].
    TDateListBookings* GetResourceDates(int index) const;
    void Clear();

private:
    std::vector<std::unique_ptr<TDateListBookings>> dates_;
};
