// Socket, reply reading and TLS of an SMTP session.
#include "platform/net/SmtpChannel.h"

#include <QEventLoop>
#include <QSslSocket>
#include <QTimer>

namespace net {

QString SmtpReply::Text() const {
    const QString last = Lines.isEmpty() ? QString() : Lines.last();
    return QString(QString::number(Code) + u' ' + last).trimmed();
}

SmtpChannel::SmtpChannel() = default;
SmtpChannel::~SmtpChannel() = default;

void SmtpChannel::Open(const QString& host, int port, bool implicitTls, int timeout) {
    cancelled_ = false;
    socket_ = std::make_unique<QSslSocket>();
    // The socket takes no more from the network than a whole reply may hold; the rest waits in the kernel.
    socket_->setReadBufferSize(kMaxReplyBytes + kMaxReplyLineBytes);
    const QDeadlineTimer deadline(timeout);
    const QString late = QStringLiteral("The server did not answer within %1 seconds.").arg(timeout / 1000.0);
    if (implicitTls) {
        socket_->connectToHostEncrypted(host, quint16(port));
        WaitUntil([this] { return socket_->isEncrypted(); }, deadline, late);
    } else {
        socket_->connectToHost(host, quint16(port));
        WaitUntil([this] { return socket_->state() == QAbstractSocket::ConnectedState; }, deadline, late);
    }
}

bool SmtpChannel::IsOpen() const { return socket_ && socket_->state() == QAbstractSocket::ConnectedState; }

bool SmtpChannel::Encrypted() const { return socket_ && socket_->isEncrypted(); }

void SmtpChannel::StartTls(int timeout) {
    socket_->startClientEncryption();
    WaitUntil([this] { return socket_->isEncrypted(); }, QDeadlineTimer(timeout),
              QStringLiteral("The encrypted connection was not set up within %1 seconds.").arg(timeout / 1000.0));
}

void SmtpChannel::Close() {
    if (!socket_) return;
    socket_->abort();
    socket_.reset();
}

void SmtpChannel::Cancel() {
    cancelled_ = true;
    if (waiting_) waiting_->quit();
}

SmtpReply SmtpChannel::Command(const QByteArray& line, int timeout) {
    WriteRaw(line + "\r\n");
    return ReadReply(timeout);
}

void SmtpChannel::WriteRaw(const QByteArray& data) {
    if (!IsOpen()) throw SmtpError(QStringLiteral("Not connected."));
    socket_->write(data);
    WaitUntil([this] { return socket_->bytesToWrite() == 0; }, QDeadlineTimer(30000),
              QStringLiteral("The server did not take the data within 30 seconds."));
}

SmtpReply SmtpChannel::ReadReply(int timeout) {
    // One deadline for the whole reply: a server that trickles bytes must not restart the clock.
    const QDeadlineTimer deadline(timeout);
    SmtpReply reply;
    qsizetype replyBytes = 0;
    for (;;) {
        const QByteArray line = ReadLine(deadline, timeout);
        replyBytes += line.size();
        if (reply.Lines.size() >= kMaxReplyLines || replyBytes > kMaxReplyBytes)
            Fail(QStringLiteral("The server's reply is too long (more than %1 lines or %2 KB).")
                     .arg(kMaxReplyLines)
                     .arg(kMaxReplyBytes / 1024));
        bool numeric = false;
        reply.Code = line.left(3).toInt(&numeric);
        if (!numeric) throw SmtpError(QStringLiteral("Unexpected reply from the server: ") + QString::fromUtf8(line));
        reply.Lines.append(QString::fromUtf8(line.mid(4)));
        if (line.size() < 4 || line.at(3) != '-') return reply;
    }
}

QByteArray SmtpChannel::ReadLine(const QDeadlineTimer& deadline, int timeout) {
    if (!socket_) throw SmtpError(QStringLiteral("Not connected."));
    const QString tooLong =
        QStringLiteral("The server sent a reply line longer than %1 KB.").arg(kMaxReplyLineBytes / 1024);
    // What waits in the buffer is one unfinished line: past the bound it is refused, not kept growing.
    WaitUntil([this] { return socket_->canReadLine() || socket_->bytesAvailable() > kMaxReplyLineBytes; }, deadline,
              QStringLiteral("The server did not reply within %1 seconds.").arg(timeout / 1000.0));
    if (!socket_->canReadLine()) Fail(tooLong);
    const QByteArray line = socket_->readLine(kMaxReplyLineBytes + 2);
    if (!line.endsWith('\n')) Fail(tooLong);
    return line.trimmed();
}

void SmtpChannel::WaitUntil(const std::function<bool()>& ready, const QDeadlineTimer& deadline,
                            const QString& timeoutMessage) {
    while (!ready()) {
        if (cancelled_) {
            Close();
            throw SmtpCancelled();
        }
        if (socket_->state() == QAbstractSocket::UnconnectedState) RaiseSocketError();
        if (deadline.hasExpired()) Fail(timeoutMessage);
        AwaitSocketEvent(deadline);
    }
}

void SmtpChannel::AwaitSocketEvent(const QDeadlineTimer& deadline) {
    QEventLoop loop;
    QSslSocket* socket = socket_.get();
    QObject::connect(socket, &QIODevice::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(socket, &QIODevice::bytesWritten, &loop, &QEventLoop::quit);
    QObject::connect(socket, &QAbstractSocket::stateChanged, &loop, &QEventLoop::quit);
    QObject::connect(socket, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);
    QObject::connect(socket, &QSslSocket::encrypted, &loop, &QEventLoop::quit);
    QTimer::singleShot(int(qMax<qint64>(1, deadline.remainingTime())), &loop, &QEventLoop::quit);
    waiting_ = &loop;
    loop.exec();
    waiting_ = nullptr;
}

void SmtpChannel::Fail(const QString& message) {
    Close();
    throw SmtpError(message);
}

void SmtpChannel::RaiseSocketError() { Fail(socket_->errorString()); }

}  // namespace net
