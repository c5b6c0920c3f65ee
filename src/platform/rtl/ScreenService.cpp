// The installed screen service and the one without windows.
#include "platform/rtl/ScreenService.h"

namespace rtl {
namespace {

class WindowlessScreen : public ScreenService {
public:
    TCursor Cursor() const override { return cursor_; }
    void SetCursor(TCursor cursor) override { cursor_ = cursor; }
    void RepaintMainForm() override {}

private:
    TCursor cursor_ = crDefault;
};

std::shared_ptr<ScreenService>& Installed() {
    static std::shared_ptr<ScreenService> service = std::make_shared<WindowlessScreen>();
    return service;
}

}  // namespace

ScreenService& CurrentScreenService() { return *Installed(); }

std::shared_ptr<ScreenService> SetScreenService(std::shared_ptr<ScreenService> service) {
    std::shared_ptr<ScreenService> previous = Installed();
    Installed() = service ? std::move(service) : std::make_shared<WindowlessScreen>();
    return previous;
}

HourGlass::HourGlass() : saved_(CurrentScreenService().Cursor()) { CurrentScreenService().SetCursor(crHourGlass); }
HourGlass::~HourGlass() { CurrentScreenService().SetCursor(saved_); }

}  // namespace rtl
