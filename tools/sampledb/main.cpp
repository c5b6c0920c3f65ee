// sampledb FILE: makes a small sample database through the program's own creation: four resources, two groups and
// five days of bookings from the day it is made, so that the first day shown has bookings in every resource. An
// existing file is never touched.
#include "data/module/BookingIdCounter.h"
#include "data/module/DataModule.h"
#include "platform/db/ADOConnection.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

struct Booking {
    int resourceId;
    int day;
    int startHour, startMinute, endHour, endMinute;
    const char* client;
    const char* description;
};

// Day 0 is the day the file is made; the program opens on it, showing the first resource by name (Projector).
const Booking kBookings[] = {
    {4, 0, 9, 30, 11, 0, "Sales team", "Presentation"}, {1, 0, 9, 0, 10, 30, "Sales team", "Weekly meeting"},
    {1, 0, 13, 0, 15, 0, "A. Moreau", "Interviews"},    {2, 0, 8, 30, 9, 30, "IT", "Laptop handover"},
    {3, 0, 10, 0, 17, 0, "Facilities", "Site visit"},   {1, 1, 11, 0, 12, 0, "J. Okafor", "Client call"},
    {2, 1, 9, 0, 12, 0, "Training", "New starters"},    {4, 1, 14, 0, 16, 0, "Training", "Slides"},
    {1, 2, 9, 0, 10, 0, "Board", "Preparation"},        {2, 2, 13, 30, 17, 0, "Design", "Workshop"},
    {3, 2, 8, 0, 12, 0, "Deliveries", "North route"},   {1, 3, 10, 0, 11, 30, "HR", "Reviews"},
    {4, 3, 9, 0, 17, 0, "Marketing", "Trade fair"},     {2, 4, 9, 0, 10, 0, "Finance", "Month end"},
    {3, 4, 12, 0, 16, 0, "Deliveries", "South route"},  {1, 4, 15, 0, 17, 0, "Everyone", "Friday review"},
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: sampledb FILE\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path)) return 0;
    // Built under another name and given its own only when complete.
    const QString building = path + QStringLiteral(".part");
    QFile::remove(building);
    try {
        if (!TData().CreateDatabase(building, true)) return 1;
        TADOConnection connection;
        connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(building);
        connection.LoginPrompt = false;
        connection.Open();
        sql::Connection& engine = connection.Engine();
        const char* resources[][2] = {{"Room A", "Meeting room, 12 seats"},
                                      {"Room B", "Training room, 20 seats"},
                                      {"Van", "Delivery van"},
                                      {"Projector", "Portable projector"}};
        for (int i = 0; i < 4; ++i)
            engine.Execute(QStringLiteral("INSERT INTO Resources (ResourceId, ResourceName, Description, MaxBookDays) "
                                          "VALUES (%1, '%2', '%3', 0)")
                               .arg(i + 1)
                               .arg(QLatin1String(resources[i][0]), QLatin1String(resources[i][1])));
        engine.Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('Meeting rooms')"));
        engine.Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('Vehicles')"));
        for (const auto& [group, id] : {std::pair{"Meeting rooms", 1}, {"Meeting rooms", 2}, {"Vehicles", 3}})
            engine.Execute(QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES ('%1', %2)")
                               .arg(QLatin1String(group))
                               .arg(id));
        const TDateTime today = DateOf(rtl::CurrentClock().Now());
        const auto insert = engine.Prepare(QStringLiteral(
            "INSERT INTO Bookings (BookingId, ResourceId, Trans, Client, Description, BookingStart, BookingEnd) "
            "VALUES (:Id, :Resource, False, :Client, :Description, :Start, :End)"));
        int id = 0;
        for (const Booking& b : kBookings) {
            insert->Reset();
            insert->Bind(0, ++id);
            insert->Bind(1, b.resourceId);
            insert->Bind(2, QString::fromLatin1(b.client));
            insert->Bind(3, QString::fromLatin1(b.description));
            insert->Bind(4, today + b.day + EncodeTime(b.startHour, b.startMinute, 0, 0));
            insert->Bind(5, today + b.day + EncodeTime(b.endHour, b.endMinute, 0, 0));
            insert->Step();
        }
        connection.Close();
        data::RepairNextBookingId(building, QString());
        if (!QFile::rename(building, path)) throw Exception(QStringLiteral("cannot name the file ") + path);
    } catch (const Exception& e) {
        QFile::remove(building);
        std::fprintf(stderr, "sampledb: %s\n", qPrintable(e.Message()));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
