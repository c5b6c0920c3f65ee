// The one seam every modal run passes: forms, message dialogs, file, font, colour and print dialogs.
// The program runs them for real; tests script them by name.
#pragma once

#include "platform/rtl/ServiceSlot.h"

#include <QDialog>
#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace ui {

// One modal run as its window describes it to the runner.
struct ModalRun {
    QWidget& window;
    // The name scripts answer: a form's Name, or the dialog's kind ("MessageDlg", "TOpenDialog", ...).
    QString name;
    // Shows the window and waits until it is answered; returns the result.
    std::function<int()> execute;
    // Takes a result without showing the window.
    std::function<void(int)> answer;
    // Ends a shown run that is still waiting (a test's action left it open).
    std::function<void()> abandon;
};

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual int Run(const ModalRun& run) = 0;
};

// The runner in use; its default runs every window for real.
rtl::ServiceSlot<ModalRunner>& ModalRunnerSlot();
inline ModalRunner& CurrentModalRunner() { return ModalRunnerSlot().Current(); }
// Installs a runner and returns the one it replaces; null restores the windowed runner.
inline std::shared_ptr<ModalRunner> SetModalRunner(std::shared_ptr<ModalRunner> runner) {
    return ModalRunnerSlot().Install(std::move(runner));
}

// Runs every window for real.
class WindowedModalRunner : public ModalRunner {
public:
    int Run(const ModalRun& run) override { return run.execute(); }
};

// A runner for tests: each run is answered by the next script queued for its name, either a result
// (the window is not shown) or an action run against the shown window. A run nobody scripted is
// answered with mrCancel without showing and counted.
class ScriptedModalRunner : public ModalRunner {
public:
    using Action = std::function<void(QWidget&)>;

    void Answer(const QString& name, int result);
    void OnShown(const QString& name, Action action);
    // Typed convenience: OnShown<TForm>("PasswordForm", [](TForm& f) { ... }).
    template <class W>
    void OnShown(const QString& name, std::function<void(W&)> action) {
        OnShown(name, Action([action](QWidget& w) { action(dynamic_cast<W&>(w)); }));
    }

    int Run(const ModalRun& run) override;

    // The names run, in order.
    const std::vector<QString>& Runs() const { return runs_; }
    int UnansweredCount() const { return unanswered_; }
    // Scripts queued but not used.
    int PendingCount() const;

private:
    struct Script {
        int result = 0;
        Action action;
    };
    std::map<QString, std::deque<Script>> scripts_;
    std::vector<QString> runs_;
    int unanswered_ = 0;
};

// Runs a Qt dialog through the current runner under a name; resultOf turns the closed dialog into the
// result (a scripted answer is returned as given).
int RunDialog(QDialog& dialog, const QString& name, const std::function<int()>& resultOf);

// Installs a fresh scripted runner for the lifetime of the object, then restores the previous one.
class ScopedScriptedRunner : public rtl::ScopedService<ModalRunner, ScriptedModalRunner> {
public:
    ScopedScriptedRunner() : ScopedService(ModalRunnerSlot(), std::make_shared<ScriptedModalRunner>()) {}
};

}  // namespace ui
