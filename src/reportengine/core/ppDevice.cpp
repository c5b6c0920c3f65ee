// Page requests: which pages are wanted and how requests merge.
#include "reportengine/core/ppDevice.h"

using reportengine::EngineClass;

namespace {

struct PageRequestClassRegistration {
    PageRequestClassRegistration() { reportengine::RegisterClass(TppPageRequest::StaticClass()); }
    ~PageRequestClassRegistration() { reportengine::UnregisterClass(TppPageRequest::StaticClass()); }
};
const PageRequestClassRegistration pageRequestClassRegistration;

}  // namespace

const EngineClass& TppPageRequest::StaticClass() {
    static const EngineClass& cls = []() -> const EngineClass& {
        static EngineClass info(QStringLiteral("TppPageRequest"), &reportengine::EnginePersistent::StaticClass());
        reportengine::ClassBuilder<TppPageRequest>(info).Creatable();
        return info;
    }();
    return cls;
}

void TppPageRequest::Assign(reportengine::EnginePersistent* source) {
    auto* other = dynamic_cast<TppPageRequest*>(source);
    if (!other) return;
    pageList_.Assign(other->pageList_);
    pageRequested_ = other->pageRequested_;
    pageSetting_ = other->pageSetting_;
    pageRange_ = other->pageRange_;
}

void TppPageRequest::Clear() {
    pageList_.Clear();
    pageRequested_ = 1;
    pageSetting_ = psAll;
    pageRange_ = prAll;
}

bool TppPageRequest::IsRequested(const TppPageNumbers& page) {
    bool requested = false;
    switch (pageSetting_) {
        case psAll: requested = true; break;
        case psPageList: requested = pageList_.IndexOf(QString::number(page.AbsolutePageNo)) >= 0; break;
        case psSinglePage:
            if (page.AbsolutePageCount < pageRequested_ && page.LastPage) pageRequested_ = page.AbsolutePageCount;
            else if (pageRequested_ < 1 && page.AbsolutePageNo == 1) pageRequested_ = 1;
            requested = page.AbsolutePageNo == pageRequested_;
            break;
        case psFirstPage: requested = page.FirstPage; break;
        case psLastPage: requested = page.LastPage; break;
        case psPageRange: requested = false; break;  // the print dialog turns ranges into page lists first
    }
    const bool odd = page.AbsolutePageNo % 2 != 0;
    if (pageRange_ == prOddPages) return requested && odd;
    if (pageRange_ == prEvenPages) return requested && !odd;
    return requested;
}

bool TppPageRequest::IsLastRequestedPage(const TppPageNumbers& page) const {
    switch (pageSetting_) {
        case psAll:
        case psLastPage: return page.LastPage;
        case psPageList:
            // An empty list answers -1 against -1, so every page ends it.
            return pageList_.IndexOf(QString::number(page.AbsolutePageNo)) == pageList_.Count() - 1;
        case psSinglePage: return page.AbsolutePageNo == pageRequested_;
        case psFirstPage: return page.FirstPage;
        case psPageRange: return false;
    }
    return false;
}

void TppPageRequest::Merge(const TppPageRequest& other) {
    if (other.pageSetting_ != psSinglePage && other.pageSetting_ != psFirstPage) {
        pageSetting_ = psAll;
        return;
    }
    if ((pageSetting_ == psSinglePage && pageRequested_ != other.pageRequested_) ||
        (pageSetting_ == psFirstPage && other.pageRequested_ != 1)) {
        pageSetting_ = psPageList;
        pageList_.Add(QString::number(pageRequested_));
        pageList_.Add(QString::number(other.pageRequested_));
        return;
    }
    if (pageSetting_ == psPageList) {
        const QString page = QString::number(other.pageRequested_);
        if (pageList_.IndexOf(page) < 0) pageList_.Add(page);
    }
}
