// The line-based conversation under an SMTP session: one socket, replies read whole, TLS on request. Every wait
// runs the event loop, so the windows stay live during a send and Cancel can end it at once.
#pragma once

#include "platform/rtl/Exceptions.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QEventLoop;
class QSslSocket;

namespace net {

// A failure of the conversation; Code is the server's reply code, 0 for a socket or TLS failure.
class SmtpError : public Exception {
public:
    explicit SmtpError(const QString& message, int code = 0) : Exception(message), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

// Bounds on what a server may send as one reply, so that a broken or hostile one cannot fill the memory.
// SMTP lines are at most 512 bytes; the margin leaves room for servers that stretch it.
inline constexpr qsizetype kMaxReplyLineBytes = 8 * 1024;
inline constexpr int kMaxReplyLines = 100;
inline constexpr qsizetype kMaxReplyBytes = 64 * 1024;

// The user ended the conversation with Cancel; nothing to report.
class SmtpCancelled : public SmtpError {
public:
    SmtpCancelled() : SmtpError(QStringLiteral("Sending was cancelled.")) {}
};

struct SmtpReply {
    int Code = 0;
    // The text of every line, without the code.
    QStringList Lines;
    // The last line as the server wrote it, code included; the text an error shows.
    QString Text() const;
};

class SmtpChannel {
public:
    SmtpChannel();
    ~SmtpChannel();

    // Connects, with TLS from the first byte when implicitTls; raises SmtpError with the socket's text.
    void Open(const QString& host, int port, bool implicitTls, int timeout);
    bool IsOpen() const;
    bool Encrypted() const;
    // Switches the open connection to TLS (after the server agreed to STARTTLS).
    void StartTls(int timeout);
    void Close();
    // Ends the conversation: the wait in progress, or the next one, closes the connection and raises
    // SmtpCancelled. Open starts afresh.
    void Cancel();

    // Writes one command line (CRLF added) and reads the reply.
    SmtpReply Command(const QByteArray& line, int timeout);
    void WriteRaw(const QByteArray& data);
    // The whole reply must arrive within timeout milliseconds, however the server spreads its bytes, and
    // keep within the bounds above; otherwise SmtpError, and the connection is closed.
    SmtpReply ReadReply(int timeout);

private:
    QByteArray ReadLine(const QDeadlineTimer& deadline, int timeout);
    // Runs the event loop until ready() holds; a failed socket, the deadline (timeoutMessage) or Cancel end
    // the wait with the connection closed.
    void WaitUntil(const std::function<bool()>& ready, const QDeadlineTimer& deadline, const QString& timeoutMessage);
    // One turn: returns when the socket signals anything, the deadline passes or Cancel is pressed.
    void AwaitSocketEvent(const QDeadlineTimer& deadline);
    [[noreturn]] void Fail(const QString& message);
    [[noreturn]] void RaiseSocketError();

    std::unique_ptr<QSslSocket> socket_;
    bool cancelled_ = false;
    QEventLoop* waiting_ = nullptr;
};

}  // namespace net
