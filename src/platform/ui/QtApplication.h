// The program's Qt application object: an exception escaping any event delivery is handled, never fatal.
#pragma once

#include <QApplication>

namespace ui {

// Stands behind every handler's own dispatch: an exception that still escapes an event's delivery goes
// to the application's exception handling instead of ending the program. The program and every test
// program create this one.
class QtApplication : public QApplication {
public:
    QtApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace ui
