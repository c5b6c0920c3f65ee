// Page requests (wanted pages, the last wanted page, merging), the device class registry and the device font
// substitutes.
#include "platform/rtl/StringList.h"
#include "reportengine/core/ppDevice.h"
#include "reportengine/core/ppDeviceClasses.h"

#include <gtest/gtest.h>

#include <vector>

using reportengine::EngineClass;
using reportengine::EnginePtr;

namespace {

// Page n of a report of count pages, numbered over the whole report.
TppPageNumbers ReportPage(int n, int count) { return {n, count, n == 1, n == count}; }

// The pages of a report of count pages that the request wants, walked in order as the publisher does.
std::vector<int> RequestedPages(TppPageRequest& request, int count) {
    std::vector<int> pages;
    for (int n = 1; n <= count; ++n)
        if (request.IsRequested(ReportPage(n, count))) pages.push_back(n);
    return pages;
}

EnginePtr<TppPageRequest> NewRequest(TppPageSettingType setting = psAll, int pageRequested = 1) {
    EnginePtr<TppPageRequest> request(new TppPageRequest());
    request->SetPageSetting(setting);
    request->SetPageRequested(pageRequested);
    return request;
}

QStringList Entries(const TStrings& list) { return list.ToStringList(); }

TEST(PageRequest, ReadsThePageItself) {
    const auto request = NewRequest(psSinglePage, 50);
    EnginePtr<TppPage> page{new TppPage(nullptr)};
    page->AbsolutePageNo = 12;
    page->AbsolutePageCount = 12;
    page->LastPage = true;
    EXPECT_TRUE(request->IsRequested(*page));
    EXPECT_TRUE(request->IsLastRequestedPage(*page));
    EXPECT_EQ(request->PageRequested(), 12);
}

TEST(PageRequest, StartsAsAllPages) {
    const auto request = NewRequest();
    EXPECT_EQ(request->PageSetting(), psAll);
    EXPECT_EQ(request->PageRange(), prAll);
    EXPECT_EQ(request->PageRequested(), 1);
    EXPECT_EQ(request->PageList().Count(), 0);
}

TEST(PageRequest, RequestedPagesBySettingAndRange) {
    struct Case {
        TppPageSettingType setting;
        TppPageRangeType range;
        QStringList list;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {psAll, prAll, {}, {1, 2, 3, 4, 5, 6, 7}},
        {psAll, prEvenPages, {}, {2, 4, 6}},
        {psAll, prOddPages, {}, {1, 3, 5, 7}},
        {psPageList, prAll, {"2", "5", "9"}, {2, 5}},
        {psPageList, prOddPages, {"2", "5"}, {5}},
        {psFirstPage, prAll, {}, {1}},
        {psFirstPage, prEvenPages, {}, {}},  // the first page is odd
        {psLastPage, prAll, {}, {7}},
        {psPageRange, prAll, {}, {}},  // ranges become page lists before they reach a request
    };
    for (const Case& c : cases) {
        const auto request = NewRequest(c.setting);
        request->SetPageRange(c.range);
        request->PageList().SetStrings(c.list);
        EXPECT_EQ(RequestedPages(*request, 7), c.expected) << c.setting << " " << c.range;
    }
}

TEST(PageRequest, SinglePageOutsideTheReportIsItsNearestEnd) {
    const auto beyond = NewRequest(psSinglePage, 50);
    EXPECT_EQ(RequestedPages(*beyond, 12), std::vector<int>{12});
    EXPECT_EQ(beyond->PageRequested(), 12);
    EXPECT_TRUE(beyond->IsLastRequestedPage(ReportPage(12, 12)));

    const auto below = NewRequest(psSinglePage, -3);
    EXPECT_EQ(RequestedPages(*below, 4), std::vector<int>{1});
    EXPECT_EQ(below->PageRequested(), 1);
    EXPECT_TRUE(below->IsLastRequestedPage(ReportPage(1, 4)));
}

TEST(PageRequest, LastRequestedPage) {
    const auto evenPages = NewRequest();
    evenPages->SetPageRange(prEvenPages);
    // The range plays no part: the odd last page still ends an even-pages request.
    EXPECT_FALSE(evenPages->IsRequested(ReportPage(7, 7)));
    EXPECT_TRUE(evenPages->IsLastRequestedPage(ReportPage(7, 7)));
    EXPECT_FALSE(evenPages->IsLastRequestedPage(ReportPage(6, 7)));

    const auto list = NewRequest(psPageList);
    list->PageList().SetStrings({"4", "2"});
    EXPECT_TRUE(list->IsLastRequestedPage(ReportPage(2, 7)));
    EXPECT_FALSE(list->IsLastRequestedPage(ReportPage(4, 7)));
    EXPECT_FALSE(list->IsLastRequestedPage(ReportPage(3, 7)));
    list->PageList().Clear();
    EXPECT_TRUE(list->IsLastRequestedPage(ReportPage(3, 7)));  // an empty list is ended by any page

    const auto first = NewRequest(psFirstPage);
    EXPECT_TRUE(first->IsLastRequestedPage(ReportPage(1, 7)));
    EXPECT_FALSE(first->IsLastRequestedPage(ReportPage(7, 7)));
}

TEST(PageRequest, MergeSinglePagesIntoAList) {
    const auto current = NewRequest(psSinglePage, 1);
    const auto further = NewRequest(psSinglePage, 3);

    current->Merge(*further);
    EXPECT_EQ(current->PageSetting(), psPageList);
    EXPECT_EQ(Entries(current->PageList()), QStringList({"1", "3"}));
    current->Merge(*further);
    EXPECT_EQ(Entries(current->PageList()), QStringList({"1", "3"}));
    current->Merge(*NewRequest(psSinglePage, 8));
    EXPECT_EQ(Entries(current->PageList()), QStringList({"1", "3", "8"}));

    current->Merge(*NewRequest(psAll));
    EXPECT_EQ(current->PageSetting(), psAll);
}

TEST(PageRequest, MergeKeepsARequestThatAlreadyCoversTheNewPage) {
    const auto single = NewRequest(psSinglePage, 4);
    single->Merge(*NewRequest(psSinglePage, 4));
    EXPECT_EQ(single->PageSetting(), psSinglePage);
    EXPECT_EQ(single->PageList().Count(), 0);

    const auto all = NewRequest(psAll);
    all->Merge(*single);
    EXPECT_EQ(all->PageSetting(), psAll);

    const auto first = NewRequest(psFirstPage);
    first->Merge(*NewRequest(psSinglePage, 1));
    EXPECT_EQ(first->PageSetting(), psFirstPage);
    first->Merge(*single);
    EXPECT_EQ(first->PageSetting(), psPageList);
    EXPECT_EQ(Entries(first->PageList()), QStringList({"1", "4"}));
}

TEST(PageRequest, AssignTakesOnlyAnotherRequestAndClearResets) {
    const auto source = NewRequest(psPageList, 5);
    source->SetPageRange(prOddPages);
    source->PageList().SetStrings({"5", "7"});

    const auto target = NewRequest();
    target->Assign(source.get());
    EXPECT_EQ(target->PageSetting(), psPageList);
    EXPECT_EQ(target->PageRange(), prOddPages);
    EXPECT_EQ(target->PageRequested(), 5);
    EXPECT_EQ(Entries(target->PageList()), QStringList({"5", "7"}));

    EnginePtr<reportengine::EngineComponent> unrelated(new reportengine::EngineComponent(nullptr));
    EXPECT_NO_THROW(target->Assign(unrelated.get()));
    EXPECT_EQ(target->PageSetting(), psPageList);

    target->Clear();
    EXPECT_EQ(target->PageSetting(), psAll);
    EXPECT_EQ(target->PageRange(), prAll);
    EXPECT_EQ(target->PageRequested(), 1);
    EXPECT_EQ(target->PageList().Count(), 0);
    EXPECT_EQ(source->PageList().Count(), 2);
}

const EngineClass& TestPrinterDeviceClass() {
    static const EngineClass cls(QStringLiteral("TppTestPrinterDevice"), &reportengine::EngineObject::StaticClass());
    return cls;
}
const EngineClass& TestFileDeviceClass() {
    static const EngineClass cls(QStringLiteral("TppTestFileDevice"), &reportengine::EngineObject::StaticClass());
    return cls;
}

// Registers the device classes for one test and takes them out again, so the process-wide list stays clean.
class DeviceClassRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterDeviceClass(&printer_);
        RegisterDeviceClass(&file_);
    }
    void TearDown() override {
        UnregisterDeviceClass(&printer_);
        UnregisterDeviceClass(&file_);
    }

    const TppDeviceClass printer_{TestPrinterDeviceClass(), QStringLiteral("Printer")};
    const TppDeviceClass file_{TestFileDeviceClass(), QString()};
};

TEST_F(DeviceClassRegistry, FindsByDeviceNameWithoutCase) {
    EXPECT_EQ(FindDeviceClass(QStringLiteral("printer")), &printer_);
    EXPECT_EQ(FindDeviceClass(QStringLiteral("PRINTER")), &printer_);
    EXPECT_EQ(FindDeviceClass(QStringLiteral("TppTestFileDevice")), &file_);  // no device name: the class name
    EXPECT_EQ(FindDeviceClass(QStringLiteral("Fax")), nullptr);
    EXPECT_EQ(FindDeviceClass(QString()), nullptr);
    // Streams create the classes by name.
    EXPECT_EQ(reportengine::FindClass(QStringLiteral("TppTestPrinterDevice")), &TestPrinterDeviceClass());
}

TEST_F(DeviceClassRegistry, ListsEachClassOnceInRegistrationOrder) {
    RegisterDeviceClass(&printer_);
    RegisterDeviceClass(nullptr);
    TStringList names;
    GetDeviceClasses(names);
    const int printerIndex = names.IndexOf(QStringLiteral("Printer"));
    ASSERT_GE(printerIndex, 0);
    ASSERT_EQ(names.IndexOf(QStringLiteral("TppTestFileDevice")), printerIndex + 1);
    EXPECT_EQ(names.Objects(printerIndex), &printer_);
    EXPECT_EQ(names.Count(), printerIndex + 2);
}

TEST_F(DeviceClassRegistry, UnregisteredClassIsGone) {
    UnregisterDeviceClass(&printer_);
    EXPECT_EQ(FindDeviceClass(QStringLiteral("Printer")), nullptr);
    EXPECT_EQ(reportengine::FindClass(QStringLiteral("TppTestPrinterDevice")), nullptr);
    EXPECT_EQ(FindDeviceClass(QStringLiteral("TppTestFileDevice")), &file_);
}

TEST(DeviceFonts, SubstitutesComparedWithCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"Courier", "Courier New"},
        {"MS Serif", "Courier New"},
        {"MS Sans Serif", "Arial"},
        {"System", "Arial"},
        {"courier", "courier"},
        {"Arial", "Arial"},
        {"", ""},
    };
    for (const auto& [font, substitute] : cases)
        EXPECT_EQ(TppDeviceSubstitutions::SubstituteDeviceFont(QString::fromLatin1(font)), QLatin1String(substitute))
            << font;
}

}  // namespace
