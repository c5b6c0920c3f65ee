// Socket, reply reading and TLS of an SMTP session.
#include "platform/net/SmtpChannel.h"

#include <QSslSocket>

namespace net {

QString SmtpReply::Text() const {
    const QString last = Lines.isEmpty() ? QString() : Lines.last();
    return QString(QString::number(Code) + u' ' + last).trimmed();
}

SmtpChannel::SmtpChannel() = default;
SmtpChannel::~SmtpChannel() = default;

void SmtpChannel::Open(const QString& host, int port, bool implicitTls, int timeout) {
    socket_ = std::make_unique<QSslSocket>();
    // The socket takes no more from the network than a whole reply may hold; the rest waits in the kernel.
    socket_->setReadBufferSize(kMaxReplyBytes + kMaxReplyLineBytes);
    if (implicitTls) {
        socket_->connectToHostEncrypted(host, quint16(port));
        if (!socket_->waitForEncrypted(timeout)) RaiseSocketError();
    } else {
        socket_->connectToHost(host, quint16(port));
        if (!socket_->waitForConnected(timeout)) RaiseSocketError();
    }
}

bool SmtpChannel::IsOpen() const { return socket_ && socket_->state() == QAbstractSocket::ConnectedState; }

bool SmtpChannel::Encrypted() const { return socket_ && socket_->isEncrypted(); }

void SmtpChannel::StartTls(int timeout) {
    socket_->startClientEncryption();
    if (!socket_->waitForEncrypted(timeout)) RaiseSocketError();
}

void SmtpChannel::Close() {
    if (!socket_) return;
    socket_->abort();
    socket_.reset();
}

SmtpReply SmtpChannel::Command(const QByteArray& line, int timeout) {
    WriteRaw(line + "\r\n");
    return ReadReply(timeout);
}

void SmtpChannel::WriteRaw(const QByteArray& data) {
    if (!IsOpen()) throw SmtpError(QStringLiteral("Not connected."));
    socket_->write(data);
    while (socket_->bytesToWrite() > 0)
        if (!socket_->waitForBytesWritten(30000)) RaiseSocketError();
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
    while (!socket_->canReadLine()) {
        // What waits in the buffer is one unfinished line: past the bound it is refused, not kept growing.
        if (socket_->bytesAvailable() > kMaxReplyLineBytes)
            Fail(QStringLiteral("The server sent a reply line longer than %1 KB.").arg(kMaxReplyLineBytes / 1024));
        if (deadline.hasExpired())
            Fail(QStringLiteral("The server did not reply within %1 seconds.").arg(timeout / 1000.0));
        const bool arrived = socket_->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        if (!arrived && socket_->state() != QAbstractSocket::ConnectedState) RaiseSocketError();
    }
    const QByteArray line = socket_->readLine(kMaxReplyLineBytes + 2);
    if (!line.endsWith('\n'))
        Fail(QStringLiteral("The server sent a reply line longer than %1 KB.").arg(kMaxReplyLineBytes / 1024));
    return line.trimmed();
}

void SmtpChannel::Fail(const QString& message) {
    Close();
    throw SmtpError(message);
}

void SmtpChannel::RaiseSocketError() { Fail(socket_->errorString()); }

}  // namespace net
