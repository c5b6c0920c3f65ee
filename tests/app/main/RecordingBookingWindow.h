// A booking window for the main window's tests: it positions the data module's Bookings table as the real one
// does, records what it was asked, and acts as the test tells it when shown.
#pragma once

#include "app/main/MainWindowServices.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Messages.h"

#include <functional>
#include <vector>

namespace testing_env {

class RecordingBookingWindow : public TBookingWindow {
public:
    struct NewBooking {
        int resourceId;
        TDateTime start;
        TDateTime end;
        QString focusField;
    };

    explicit RecordingBookingWindow(TData& data) : data_(data) {}
    ~RecordingBookingWindow() override {
        if (OnFree) OnFree(*this);
    }

    int LastModifiedBookingId() const override { return lastModified; }
    int LastAction() const override { return lastAction; }
    bool LocateBooking(int bookingId) override {
        located.push_back(bookingId);
        return data_.BookingsTable.Locate(QStringLiteral("BookingId"), bookingId);
    }
    void SetFocusField(const QString& name) override { focusField_ = name; }
    bool InsertNewBooking(int resourceId, int, TDateTime startDate, TDateTime endDate, TDateTime startTime,
                          TDateTime endTime, const QString&, const QString&, const QString&, const QString&,
                          const QString&, const QString&) override {
        inserted.push_back({resourceId, startDate + startTime, endDate + endTime, focusField_});
        return mayInsert;
    }
    void Init() override { ++inits; }
    int ShowModal() override {
        ++shows;
        if (OnShow) OnShow();
        return mrOk;
    }
    bool IsModified() const override { return modified; }
    bool AllDay() const override { return allDay; }
    int CheckBookingEditable(TGroupBookingWindow&, int action, int bookingId, int listMode, QList<int>&, int&, bool ask,
                             bool alwaysList) override {
        checked.push_back({action, bookingId, listMode, ask, alwaysList});
        return 1;
    }

    // What the window was asked.
    std::vector<NewBooking> inserted;
    std::vector<int> located;
    struct Check {
        int action, bookingId, listMode;
        bool ask, alwaysList;
        bool operator==(const Check&) const = default;
    };
    std::vector<Check> checked;
    int shows = 0;
    int inits = 0;
    // How it answers.
    bool mayInsert = true;
    bool modified = false;
    bool allDay = false;
    int lastModified = 0;
    int lastAction = 0;
    std::function<void()> OnShow;
    // A window made for one action hands over its records as it goes.
    std::function<void(const RecordingBookingWindow&)> OnFree;

private:
    TData& data_;
    QString focusField_;
};

}  // namespace testing_env
