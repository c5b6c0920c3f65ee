// The popup tracker: cancels open popups on a press elsewhere without eating the press.
#include "platform/ui/PopupTracker.h"

#include "platform/ui/Dispatch.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace ui {
namespace {

bool IsInside(const QWidget* widget, const QWidget* area) {
    return area && widget && (widget == area || area->isAncestorOf(widget));
}

}  // namespace

PopupTracker& PopupTracker::Instance() {
    static PopupTracker* tracker = new PopupTracker();  // lives as long as the application
    return *tracker;
}

void PopupTracker::Register(QWidget* popup, QWidget* owner, std::function<void()> cancel) {
    if (!installed_) {
        qApp->installEventFilter(this);
        installed_ = true;
    }
    Unregister(popup);
    entries_.push_back({popup, owner, std::move(cancel)});
}

void PopupTracker::Unregister(QWidget* popup) {
    std::erase_if(entries_, [popup](const Entry& e) { return !e.popup || e.popup == popup; });
}

bool PopupTracker::IsRegistered(const QWidget* popup) const {
    return std::any_of(entries_.begin(), entries_.end(), [popup](const Entry& e) { return e.popup == popup; });
}

bool PopupTracker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target) return false;
    Dispatch(this, [&] {
        for (const Entry& entry : std::vector<Entry>(entries_)) {
            if (!entry.popup || IsInside(target, entry.popup) || IsInside(target, entry.owner)) continue;
            QWidget* popup = entry.popup;
            // Unregistered at once: the same press travelling on to the parents does not cancel twice.
            Unregister(popup);
            // Posted, so that the press is delivered first, as the hook's posted message was.
            QTimer::singleShot(0, popup, [popup, cancel = entry.cancel] { Dispatch(popup, cancel); });
        }
    });
    return false;
}

}  // namespace ui
