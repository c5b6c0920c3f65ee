// A one-route HTTP server on 127.0.0.1 for tests: every GET gets the same status and body.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

namespace testing_env {

// Listens on a free port from construction until destruction; serves from the test's own event loop.
class LoopbackHttpServer {
public:
    LoopbackHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Serve(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    ~LoopbackHttpServer() { server_.close(); }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool IsListening() const { return server_.isListening(); }
    QString Url(const QString& path = QStringLiteral("/versions.txt")) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    void Respond(int status, const QByteArray& body) {
        status_ = status;
        body_ = body;
    }
    int Requests() const { return requests_; }

private:
    void Serve(QTcpSocket* socket) {
        request_ += socket->readAll();
        if (!request_.contains("\r\n\r\n")) return;
        request_.clear();
        ++requests_;
        socket->write("HTTP/1.1 " + QByteArray::number(status_) + " Status\r\nContent-Type: text/plain\r\n" +
                      "Content-Length: " + QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QByteArray request_;
    int status_ = 200;
    QByteArray body_;
    int requests_ = 0;
};

}  // namespace testing_env
