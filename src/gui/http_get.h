#pragma once
// One HTTP GET through the network module (libvantoli_network.so), the only code that links Qt
// Network: the window loads it with its first request, not at start-up.

#include <QByteArray>
#include <QUrl>

#include <functional>
#include <memory>

class QObject;

namespace vantoli {

struct HttpAnswer {
    enum class Error { None, Ended, Failed };  // Ended: aborted or past the transfer time limit
    int status = 0;                            // the HTTP status, 0 without one
    Error error = Error::None;
    QByteArray body;  // at most the exchange's limit and one byte more
};

struct HttpGetHandlers {
    std::function<bool(const QUrl& to)> mayRedirect;  // false ends the exchange
    std::function<bool(qint64 bytes)> mayGrow;        // the length announced, then received; false ends it
    std::function<void(const HttpAnswer&)> finished;  // once, unless the exchange is deleted before
};

struct HttpGetRequest {
    QUrl url;
    QByteArray userAgent;
    QByteArray accept;
    int transferTimeoutMs = 0;
    qint64 mostBytes = 0;
};

// A running exchange; deleting it ends it without a call to `finished`.
class HttpGet {
public:
    virtual ~HttpGet() = default;
};

// The module's entry: starts the request with a network manager that belongs to `owner`.
using StartHttpGet = HttpGet* (*)(QObject* owner, const HttpGetRequest& request, HttpGetHandlers handlers);

// Starts the request through the module, loading it the first time; null when the module is missing.
std::unique_ptr<HttpGet> startHttpGet(QObject* owner, const HttpGetRequest& request, HttpGetHandlers handlers);

}  // namespace vantoli
