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
    SmtpReply reply;
    for (;;) {
        const QByteArray line = ReadLine(timeout);
        bool numeric = false;
        reply.Code = line.left(3).toInt(&numeric);
        if (!numeric) throw SmtpError(QStringLiteral("Unexpected reply from the server: ") + QString::fromUtf8(line));
        reply.Lines.append(QString::fromUtf8(line.mid(4)));
        if (line.size() < 4 || line.at(3) != '-') return reply;
    }
}

QByteArray SmtpChannel::ReadLine(int timeout) {
    if (!socket_) throw SmtpError(QStringLiteral("Not connected."));
    while (!socket_->canReadLine())
        if (!socket_->waitForReadyRead(timeout)) RaiseSocketError();
    return socket_->readLine().trimmed();
}

void SmtpChannel::RaiseSocketError() {
    const QString text = socket_->errorString();
    Close();
    throw SmtpError(text);
}

}  // namespace net
