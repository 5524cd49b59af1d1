#pragma once
// An HTTP server on 127.0.0.1 inside the test process, standing in for the disc database: each
// request gets the next answer of its list (the last one again once the list is used up). An answer
// can also hang: the request is read and never answered. It writes down what was asked and when.

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace vantoli::test {

struct ServedAnswer {
    int status = 200;
    QByteArray body;
    bool hang = false;
    QByteArray headers = {};      // more header lines, each ending in CR LF ("Location: ...\r\n")
    bool endlessHeaders = false;  // the status line, then a header line every 50 ms, for ever
};

struct SeenRequest {
    QByteArray path;  // "/ws/2/discid/...?fmt=json&..."
    QByteArray userAgent;
    qint64 atMs = 0;  // since the server started
};

class AnswerServer {
public:
    explicit AnswerServer(QList<ServedAnswer> answers = {}) : answers_(std::move(answers))
    {
        clock_.start();
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    // What the program is given as VANTOLI_MUSICBRAINZ_URL.
    QByteArray baseUrl() const { return "http://127.0.0.1:" + QByteArray::number(server_.serverPort()); }
    bool listening() const { return server_.isListening(); }
    void setAnswers(QList<ServedAnswer> answers) { answers_ = std::move(answers); }
    const QList<SeenRequest>& requests() const { return requests_; }

private:
    void read(QTcpSocket* socket)
    {
        QByteArray& buffer = pending_[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0) return;
        SeenRequest seen;
        seen.atMs = clock_.elapsed();
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        seen.path = first.value(1);
        for (const QByteArray& line : lines)
            if (line.toLower().startsWith("user-agent:")) seen.userAgent = line.mid(11).trimmed();
        pending_.remove(socket);
        requests_ << seen;

        const ServedAnswer answer = answers_.isEmpty()
                                        ? ServedAnswer{404, "{}", false}
                                        : answers_.value(std::min<qsizetype>(requests_.size(), answers_.size()) - 1);
        if (answer.hang) return;
        if (answer.endlessHeaders) {
            socket->write("HTTP/1.1 200 OK\r\n");
            auto* drip = new QTimer(socket);
            QObject::connect(drip, &QTimer::timeout, socket, [socket] { socket->write("X-Filler: more\r\n"); });
            drip->start(50);
            return;
        }
        const QByteArray reason = answer.status == 200 ? "OK" : answer.status == 404 ? "Not Found" : "Other";
        socket->write("HTTP/1.1 " + QByteArray::number(answer.status) + " " + reason +
                      "\r\n" + answer.headers + "Content-Type: application/json\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(answer.body.size()) + "\r\n\r\n" + answer.body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QElapsedTimer clock_;
    QList<ServedAnswer> answers_;
    QList<SeenRequest> requests_;
    QHash<QTcpSocket*, QByteArray> pending_;
};

}  // namespace vantoli::test
