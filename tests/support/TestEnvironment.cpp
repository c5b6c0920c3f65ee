// Per-test set-up: a fresh scripted message service, a fresh temporary folder, the real clock, timers
// and modal runner, and no application exception handler.
#include "support/TestEnvironment.h"

#include "platform/rtl/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/TimerService.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testing_env {
namespace {

std::shared_ptr<rtl::ScriptedMessageService>& Service() {
    static std::shared_ptr<rtl::ScriptedMessageService> service;
    return service;
}

QTemporaryDir& Root() {
    static QTemporaryDir dir;
    return dir;
}

class PerTestReset : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        Service() = std::make_shared<rtl::ScriptedMessageService>();
        rtl::SetMessageService(Service());
        rtl::SetClock(nullptr);
        ui::SetModalRunner(nullptr);
        ui::SetTimerService(nullptr);
        Application->OnException = nullptr;
        QDir dir(TempDir());
        dir.removeRecursively();
        QDir().mkpath(TempDir());
        qputenv("TAVORIN_CONFIG_DIR", QDir(TempDir()).filePath(QStringLiteral("config")).toUtf8());
    }
};

}  // namespace

rtl::ScriptedMessageService& Messages() { return *Service(); }

QString TempDir() { return QDir(Root().path()).filePath(QStringLiteral("test")); }

void InstallPerTestReset() { ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestReset); }

}  // namespace testing_env

QT_BEGIN_NAMESPACE
void PrintTo(const QString& value, std::ostream* os) { *os << '"' << value.toStdString() << '"'; }
QT_END_NAMESPACE
