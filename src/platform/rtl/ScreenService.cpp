// The installed screen service and the one without windows.
#include "platform/rtl/ScreenService.h"

#include "platform/rtl/ServiceSlot.h"

namespace rtl {
namespace {

class WindowlessScreen : public ScreenService {
public:
    TCursor Cursor() const override { return cursor_; }
    void SetCursor(TCursor cursor) override { cursor_ = cursor; }
    void RepaintMainForm() override {}
    int PixelsPerInch() const override { return 96; }

private:
    TCursor cursor_ = crDefault;
};

std::shared_ptr<ScreenService> MakeWindowlessScreen() { return std::make_shared<WindowlessScreen>(); }

ServiceSlot<ScreenService>& ScreenServiceSlot() {
    static ServiceSlot<ScreenService> slot(&MakeWindowlessScreen);
    return slot;
}

}  // namespace

ScreenService& CurrentScreenService() { return ScreenServiceSlot().Current(); }

std::shared_ptr<ScreenService> SetScreenService(std::shared_ptr<ScreenService> service) {
    return ScreenServiceSlot().Install(std::move(service));
}

HourGlass::HourGlass() : saved_(CurrentScreenService().Cursor()) { CurrentScreenService().SetCursor(crHourGlass); }
HourGlass::~HourGlass() { CurrentScreenService().SetCursor(saved_); }

}  // namespace rtl
