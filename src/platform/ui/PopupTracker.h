// One application event filter in place of the mouse hooks of drop-down lists and calendars:
// a control registers its open popup; a press outside it posts the popup's cancel, and the click
// still reaches what was clicked.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace ui {

class PopupTracker : public QObject {
public:
    static PopupTracker& Instance();

    // Presses inside the popup or its owner (the control that opened it) do not cancel.
    void Register(QWidget* popup, QWidget* owner, std::function<void()> cancel);
    void Unregister(QWidget* popup);
    bool IsRegistered(const QWidget* popup) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PopupTracker() = default;
    struct Entry {
        QPointer<QWidget> popup;
        QPointer<QWidget> owner;
        std::function<void()> cancel;
    };
    std::vector<Entry> entries_;
    bool installed_ = false;
};

}  // namespace ui
