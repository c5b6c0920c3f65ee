// TResourceBookings: the bookings of chosen resources over a window of dates, laid out into time slots.
#pragma once

#include "data/bookings/ResourceList.h"
#include "data/layout/DayBookings.h"
#include "platform/db/ADODataSet.h"
#include "util/core/DvLists.h"

#include <memory>
#include <vector>

class TResourceBookings {
public:
    TResourceBookings();

    TADOQuery Query;
    // Resources laid out by the last successful load; 0 from the start of every load.
    int ResourceCount = 0;
    // The load's own copy of the caller's resources, sorted by name; resource indexes count in this copy.
    TResourceList Resources;
    // Date parts; an EndTime of 00:00 (midnight ending the day) has moved LastDate back a day.
    TDateTime FirstDate = 0;
    TDateTime LastDate = 0;
    // Time parts.
    TDateTime StartTime = 0;
    TDateTime EndTime = 0;
    int SlotMinutes = 1;
    // The start time of every slot of a day.
    TDvDateTimeList SlotTimes;
    // Two non-staged bookings of one resource overlap in time.
    bool HasOverlaps = false;
    bool DisplayAs24Hour = false;
    // "hh:mm" or "h:mm am/pm" by DisplayAs24Hour.
    QString TimeFormat;

    void SetConnection(TADOConnection* connection) { Query.SetConnection(connection); }
    void SetDisplayAs24Hour(bool value);

    bool LoadDay(const TResourceList& resources, int slotMinutes, TDateTime date, TDateTime startTime,
                 TDateTime endTime);
    bool LoadDays(const TResourceList& resources, int slotMinutes, TDateTime firstDate, TDateTime lastDate,
                  TDateTime startTime, TDateTime endTime);
    // Reads the bookings of the resources that touch the window with one statement and lays them out; false
    // when the window is empty (its start not before its end) or the load failed, the container then empty.
    bool LoadResourceBookings(const TResourceList& resources, int slotMinutes, TDateTime firstDate, TDateTime lastDate,
                              TDateTime startTime, TDateTime endTime);

    // The days of Resources[index].
    TDayListBookings* GetResourceDays(int index) const;
    void Clear();

private:
    std::vector<std::unique_ptr<TDayListBookings>> days_;
};
