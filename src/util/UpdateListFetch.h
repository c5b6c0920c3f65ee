// Fetches the version list by an HTTP GET and names its failures as the update check reports them.
#pragma once

#include <QString>

namespace util {

struct UpdateListFetch {
    enum class Outcome {
        Received,             // text holds the body
        UnsupportedProtocol,  // the URL's scheme is not one the HTTP client speaks
        HostNotFound,
        SocketError,  // code: the socket library's error number
        HttpError,    // code: the HTTP status
        OtherError,   // text: what went wrong
    };
    Outcome outcome = Outcome::OtherError;
    int code = 0;
    QString text;
};

// Blocks (running the event loop) until the reply is complete or the transfer stalls for timeoutMs.
UpdateListFetch FetchUpdateList(const QString& url, int timeoutMs = 30000);

}  // namespace util
