// The network module (see http_get.h): HTTP through Qt Network, in a library of its own.

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

#include "gui/http_get.h"

namespace vantoli {

namespace {

class QtHttpGet final : public HttpGet {
public:
    QtHttpGet(QNetworkAccessManager* manager, const HttpGetRequest& asked, HttpGetHandlers handlers)
        : handlers_(std::move(handlers))
    {
        QNetworkRequest request(asked.url);
        request.setHeader(QNetworkRequest::UserAgentHeader, asked.userAgent);
        if (!asked.accept.isEmpty()) request.setRawHeader("Accept", asked.accept);
        // Each redirect is put to mayRedirect.
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
        if (asked.transferTimeoutMs > 0) request.setTransferTimeout(asked.transferTimeoutMs);
        QNetworkReply* reply = manager->get(request);
        reply_ = reply;
        QObject::connect(reply, &QNetworkReply::redirected, reply, [this, reply](const QUrl& to) {
            if (handlers_.mayRedirect && handlers_.mayRedirect(to))
                emit reply->redirectAllowed();
            else
                reply->abort();
        });
        const auto grown = [this, reply](qint64 bytes) {
            if (handlers_.mayGrow && !handlers_.mayGrow(bytes)) reply->abort();
        };
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply,
                         [reply, grown] { grown(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong()); });
        QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                         [grown](qint64 received, qint64) { grown(received); });
        const qint64 most = asked.mostBytes;
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, most] {
            HttpAnswer answer;
            answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const QNetworkReply::NetworkError error = reply->error();
            answer.error = error == QNetworkReply::NoError ? HttpAnswer::Error::None
                           : error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError
                               ? HttpAnswer::Error::Ended
                               : HttpAnswer::Error::Failed;
            answer.body = reply->read(most + 1);
            reply_ = nullptr;
            reply->disconnect();
            reply->deleteLater();
            if (handlers_.finished) handlers_.finished(answer);  // may delete this exchange
        });
    }

    // A reply still waiting (endless headers) is aborted, so that nothing waits for it when the manager
    // goes; it goes later, from the event loop.
    ~QtHttpGet() override
    {
        if (QNetworkReply* reply = reply_) {
            reply->disconnect();
            reply->abort();
            reply->deleteLater();
        }
    }

private:
    HttpGetHandlers handlers_;
    QPointer<QNetworkReply> reply_;
};

}  // namespace

}  // namespace vantoli

extern "C" __attribute__((visibility("default"))) vantoli::HttpGet*
vantoliStartHttpGet(QObject* owner, const vantoli::HttpGetRequest& request, vantoli::HttpGetHandlers handlers)
{
    auto* manager = owner->findChild<QNetworkAccessManager*>(QString(), Qt::FindDirectChildrenOnly);
    if (!manager) manager = new QNetworkAccessManager(owner);
    return new vantoli::QtHttpGet(manager, request, std::move(handlers));
}
