// Per-test set-up: a fresh scripted message service, a fresh temporary folder, the real clock and the
// window layer's services.
#include "support/TestEnvironment.h"

#include "platform/rtl/Clock.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

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
public:
    explicit PerTestReset(std::function<void()> resetWindowServices)
        : resetWindowServices_(std::move(resetWindowServices)) {}

private:
    void OnTestStart(const ::testing::TestInfo&) override {
        Service() = std::make_shared<rtl::ScriptedMessageService>();
        rtl::SetMessageService(Service());
        rtl::SetClock(nullptr);
        resetWindowServices_();
        QDir dir(TempDir());
        dir.removeRecursively();
        QDir().mkpath(TempDir());
        qputenv("TAVORIN_CONFIG_DIR", QDir(TempDir()).filePath(QStringLiteral("config")).toUtf8());
    }

    std::function<void()> resetWindowServices_;
};

}  // namespace

rtl::ScriptedMessageService& Messages() { return *Service(); }

QString TempDir() { return QDir(Root().path()).filePath(QStringLiteral("test")); }

void InstallPerTestReset(std::function<void()> resetWindowServices) {
    ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestReset(std::move(resetWindowServices)));
}

}  // namespace testing_env

QT_BEGIN_NAMESPACE
void PrintTo(const QString& value, std::ostream* os) { *os << '"' << value.toStdString() << '"'; }
QT_END_NAMESPACE
