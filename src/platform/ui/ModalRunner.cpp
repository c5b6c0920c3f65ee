// The installed modal runner and the scripted runner for tests.
#include "platform/ui/ModalRunner.h"

#include "platform/rtl/Messages.h"
#include "platform/ui/Dispatch.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

namespace ui {
namespace {

std::shared_ptr<ModalRunner> MakeWindowedRunner() { return std::make_shared<WindowedModalRunner>(); }

}  // namespace

rtl::ServiceSlot<ModalRunner>& ModalRunnerSlot() {
    static rtl::ServiceSlot<ModalRunner> slot(&MakeWindowedRunner);
    return slot;
}

void ScriptedModalRunner::Answer(const QString& name, int result) { scripts_[name].push_back({result, {}}); }

void ScriptedModalRunner::OnShown(const QString& name, Action action) {
    scripts_[name].push_back({0, std::move(action)});
}

int ScriptedModalRunner::PendingCount() const {
    int count = 0;
    for (const auto& [name, queue] : scripts_) count += int(queue.size());
    return count;
}

int ScriptedModalRunner::Run(const ModalRun& run) {
    runs_.push_back(run.name);
    auto it = scripts_.find(run.name);
    if (it == scripts_.end() || it->second.empty()) {
        ++unanswered_;
        run.answer(mrCancel);
        return mrCancel;
    }
    Script script = std::move(it->second.front());
    it->second.pop_front();
    if (!script.action) {
        run.answer(script.result);
        return script.result;
    }
    // The action runs inside the window's own modal loop, once the window is shown.
    QPointer<QWidget> window(&run.window);
    QTimer::singleShot(0, &run.window, [window, action = std::move(script.action), abandon = run.abandon] {
        Dispatch(window, [&] { action(*window); });
        // What the action started (a result set by a click) finishes before a still-open run is ended.
        QCoreApplication::processEvents();
        if (window) abandon();
    });
    return run.execute();
}

int RunDialog(QDialog& dialog, const QString& name, const std::function<int()>& resultOf) {
    const ModalRun run{dialog, name,
                       [&] {
                           dialog.exec();
                           return resultOf();
                       },
                       [](int) {},
                       [&dialog] {
                           if (dialog.isVisible()) dialog.done(QDialog::Rejected);
                       }};
    return CurrentModalRunner().Run(run);
}

}  // namespace ui
