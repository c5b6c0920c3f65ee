// The SMTP client against servers that misbehave: a reply has a deadline of its own and bounded size.
#include "SmtpTestServer.h"
#include "platform/net/SmtpClient.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace net;
using testing_smtp::SmtpTestServer;

namespace {

// The most memory the process has held since the last reset, in bytes (Linux: VmHWM; 0 when unknown).
qint64 PeakResidentBytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return 0;
}

// Starts a new peak from the present size.
void ResetPeakResident() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

struct Misbehaviour {
    const char* mode;
    const char* error;
};

}  // namespace

class MisbehavingServer : public testing::TestWithParam<Misbehaviour> {};

TEST_P(MisbehavingServer, FailsWithAClearErrorWithinBoundedMemory) {
    SmtpTestServer server({.misbehaviour = QString::fromLatin1(GetParam().mode)});
    SmtpClient client;
    client.Host = QStringLiteral("127.0.0.1");
    client.Port = server.Port();
    client.ReadTimeout = 1500;
    ResetPeakResident();
    const qint64 before = PeakResidentBytes();
    try {
        client.Connect();
        FAIL() << "connected to a misbehaving server";
    } catch (const SmtpError& e) {
        EXPECT_EQ(e.Message().toStdString(), GetParam().error);
    }
    EXPECT_FALSE(client.Connected());
    // A reply is held whole at most once, in its bytes and its text; far below this bound.
    EXPECT_LT(PeakResidentBytes() - before, 8 * 1024 * 1024);
}

INSTANTIATE_TEST_SUITE_P(Servers, MisbehavingServer,
                         testing::Values(
                             // One byte every quarter second would restart a per-byte time-out for ever.
                             Misbehaviour{"trickle", "The server did not reply within 1.5 seconds."},
                             Misbehaviour{"endless", "The server's reply is too long (more than 100 lines or 64 KB)."},
                             Misbehaviour{"longline", "The server sent a reply line longer than 8 KB."}),
                         [](const testing::TestParamInfo<Misbehaviour>& info) { return std::string(info.param.mode); });
