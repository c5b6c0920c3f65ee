// TppPageRequest: which pages a device or the publisher wants, and how two requests fold into one.
#pragma once

#include "platform/rtl/StringList.h"
#include "reportengine/core/EngineComponent.h"
#include "reportengine/core/ppPage.h"
#include "reportengine/core/ppTypes.h"

// What a request reads of a page: its place in the whole report.
struct TppPageNumbers {
    int AbsolutePageNo = 0;
    int AbsolutePageCount = 0;
    bool FirstPage = false;
    bool LastPage = false;
};

class TppPageRequest : public reportengine::EnginePersistent {
    REPORTENGINE_CLASS(TppPageRequest)
public:
    TppPageRequest() = default;

    // Only another request is taken over; anything else is ignored.
    void Assign(reportengine::EnginePersistent* source) override;
    void Clear();

    // One page number per entry, as plain decimal text.
    TStrings& PageList() { return pageList_; }
    const TStrings& PageList() const { return pageList_; }
    void SetPageList(const TStrings& list) { pageList_.Assign(list); }
    int PageRequested() const { return pageRequested_; }
    void SetPageRequested(int page) { pageRequested_ = page; }
    TppPageSettingType PageSetting() const { return pageSetting_; }
    void SetPageSetting(TppPageSettingType setting) { pageSetting_ = setting; }
    TppPageRangeType PageRange() const { return pageRange_; }
    void SetPageRange(TppPageRangeType range) { pageRange_ = range; }

    // A single page beyond the end is settled by the last page and one below 1 by the first: PageRequested
    // is moved onto that page when it passes by.
    bool IsRequested(const TppPageNumbers& page);
    bool IsRequested(const TppPage& page) { return IsRequested(NumbersOf(page)); }
    // The page after which the request is satisfied; the odd/even range plays no part.
    bool IsLastRequestedPage(const TppPageNumbers& page) const;
    bool IsLastRequestedPage(const TppPage& page) const { return IsLastRequestedPage(NumbersOf(page)); }
    // Folds a further request into this one; anything wider than single or first pages asks for all.
    void Merge(const TppPageRequest& other);

protected:
    ~TppPageRequest() override = default;

private:
    static TppPageNumbers NumbersOf(const TppPage& page) {
        return {page.AbsolutePageNo, page.AbsolutePageCount, page.FirstPage, page.LastPage};
    }

    TStringList pageList_;
    int pageRequested_ = 1;
    TppPageSettingType pageSetting_ = psAll;
    TppPageRangeType pageRange_ = prAll;
};
