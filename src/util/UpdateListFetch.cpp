// The HTTP GET of the version list through QNetworkAccessManager.
#include "util/UpdateListFetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <memory>

namespace util {
namespace {

// The socket library's numbers for the connection failures a reply can report; 0 for the others.
int SocketErrorCode(QNetworkReply::NetworkError error) {
    switch (error) {
        case QNetworkReply::ConnectionRefusedError: return 10061;
        case QNetworkReply::RemoteHostClosedError: return 10054;
        case QNetworkReply::TimeoutError:
        case QNetworkReply::OperationCanceledError: return 10060;  // a stalled transfer is cancelled
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError: return 10050;
        case QNetworkReply::UnknownNetworkError: return 10000;
        default: return 0;
    }
}

}  // namespace

UpdateListFetch FetchUpdateList(const QString& url, int timeoutMs) {
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(timeoutMs);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }

    UpdateListFetch result;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = reply->error();
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        result.outcome = UpdateListFetch::Outcome::HttpError;
        result.code = status.toInt();
    } else if (error == QNetworkReply::NoError) {
        result.outcome = UpdateListFetch::Outcome::Received;
        result.text = QString::fromUtf8(reply->readAll());
    } else if (error == QNetworkReply::ProtocolUnknownError) {
        result.outcome = UpdateListFetch::Outcome::UnsupportedProtocol;
    } else if (error == QNetworkReply::HostNotFoundError) {
        result.outcome = UpdateListFetch::Outcome::HostNotFound;
        result.code = 11001;
    } else if (const int code = SocketErrorCode(error)) {
        result.outcome = UpdateListFetch::Outcome::SocketError;
        result.code = code;
    } else {
        result.text = reply->errorString();
    }
    return result;
}

}  // namespace util
