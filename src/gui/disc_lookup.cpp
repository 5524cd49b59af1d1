#include "gui/disc_lookup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <optional>

#include "core/disc_release.h"
#include "gui/release_chooser.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

constexpr int TimeoutMs = 10000;
constexpr int RequestSpacingMs = 1000;  // the service allows one request a second
constexpr int ProgressDelayMs = 400;    // a quick answer shows no window
// The service's own answers to a disc are small; anything far larger is not one.
constexpr qint64 MaxAnswerBytes = 4 * 1024 * 1024;

QByteArray userAgent()
{
    return QStringLiteral("Vantoli/%1.%2.%3 ( https://vantoli.example.org/ )")
        .arg(VANTOLI_VERSION_MAJOR)
        .arg(VANTOLI_VERSION_MINOR)
        .arg(VANTOLI_VERSION_PATCH)
        .toUtf8();
}

QString cacheFile(const QString& discId)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty()) return {};
    return folder + QStringLiteral("/musicbrainz/") + discId + QStringLiteral(".json");
}

std::optional<QByteArray> cachedAnswer(const QString& file)
{
    QFile cached(file);
    if (file.isEmpty() || !cached.open(QIODevice::ReadOnly)) return std::nullopt;
    return cached.read(MaxAnswerBytes);
}

void keepAnswer(const QString& file, const QByteArray& answer)
{
    if (file.isEmpty() || !QDir().mkpath(QFileInfo(file).path())) return;
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(answer) == answer.size()) out.commit();
}

enum class Fetched { Answer, NotFound, NoConnection, TimedOut, Cancelled };

// When the last request went out, for the spacing between requests over the whole run.
QElapsedTimer& lastRequest()
{
    static QElapsedTimer timer;
    return timer;
}

// Asks the service, waiting in an event loop of its own; a window with Cancel shows when the answer
// is slow. A 503 (the service is busy) is asked once more, a second later.
Fetched fetch(QWidget* parent, const QUrl& url, QByteArray* answer)
{
    QNetworkAccessManager manager;
    QEventLoop loop;
    bool cancelled = false, timedOut = false;

    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    deadline.start(TimeoutMs);

    QPointer<QProgressDialog> progress;
    QTimer showProgress;
    showProgress.setSingleShot(true);
    QObject::connect(&showProgress, &QTimer::timeout, &loop, [&] {
        progress = new QProgressDialog(parent);
        progress->setObjectName(QStringLiteral("LookupProgress"));
        progress->setRange(0, 0);
        progress->setLabelText(translated(ja("DiscLookup", "MusicBrainz で曲名を調べています...")));
        progress->setCancelButtonText(translated(ja("DiscLookup", "キャンセル")));
        showText(progress, ja("DiscLookup", "曲名の検索"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        // Cancel, the close box and Esc all end the wait.
        const auto cancel = [&] {
            cancelled = true;
            loop.quit();
        };
        QObject::connect(progress, &QProgressDialog::canceled, &loop, cancel);
        QObject::connect(progress, &QDialog::rejected, &loop, cancel);
        progress->show();
    });
    showProgress.start(ProgressDelayMs);
    const auto closeProgress = [&] {
        showProgress.stop();
        if (progress) {
            progress->disconnect();
            delete progress;
        }
    };

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setRawHeader("Accept", "application/json");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);

    for (int attempt = 0;; ++attempt) {
        // Waits for the request's turn; Cancel and the deadline end the wait too.
        if (lastRequest().isValid() && lastRequest().elapsed() < RequestSpacingMs) {
            QTimer::singleShot(RequestSpacingMs - lastRequest().elapsed(), &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (cancelled || timedOut) break;
        lastRequest().start();
        QNetworkReply* reply = manager.get(request);
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
            if (received > MaxAnswerBytes) reply->abort();
        });
        if (!reply->isFinished()) loop.exec();
        if (cancelled || timedOut || !reply->isFinished()) {
            reply->disconnect();
            reply->abort();
            reply->deleteLater();
            break;
        }
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QNetworkReply::NetworkError error = reply->error();
        *answer = reply->readAll();
        reply->deleteLater();
        if (status == 503 && attempt == 0) continue;
        closeProgress();
        if (status == 404) return Fetched::NotFound;
        if (status == 200 && error == QNetworkReply::NoError) return Fetched::Answer;
        return Fetched::NoConnection;
    }
    closeProgress();
    return cancelled ? Fetched::Cancelled : Fetched::TimedOut;
}

constexpr Ja NotFoundText = ja("DiscLookup", "MusicBrainz にこのCDは見つかりませんでした。");

}  // namespace

QString musicBrainzBaseUrl()
{
    const QString url = qEnvironmentVariable("VANTOLI_MUSICBRAINZ_URL");
    return url.isEmpty() ? QStringLiteral("https://musicbrainz.org") : url;
}

DiscLookup lookUpDisc(QWidget* parent, const DiscToc& toc, TrackList disc)
{
    const QString discId = QString::fromStdString(musicBrainzDiscId(toc));
    if (discId.isEmpty()) return {std::move(disc), NotFoundText};

    const QString cache = cacheFile(discId);
    QByteArray answer;
    bool fromCache = false;
    if (std::optional<QByteArray> cached = cachedAnswer(cache)) {
        answer = std::move(*cached);
        fromCache = true;
    } else {
        const QUrl url(musicBrainzBaseUrl() + QStringLiteral("/ws/2/discid/") + discId +
                       QStringLiteral("?fmt=json&inc=recordings+artist-credits"));
        switch (fetch(parent, url, &answer)) {
        case Fetched::Answer: break;
        case Fetched::NotFound:
            // Kept as an answer without releases: the same disc is not asked for again.
            keepAnswer(cache, R"({"releases":[]})");
            return {std::move(disc), NotFoundText};
        case Fetched::NoConnection:
            return {std::move(disc), ja("DiscLookup", "MusicBrainz に接続できませんでした。曲名は調べていません。")};
        case Fetched::TimedOut:
            return {std::move(disc), ja("DiscLookup", "MusicBrainz から応答がありませんでした。曲名は調べていません。")};
        case Fetched::Cancelled: return {std::move(disc), ja("DiscLookup", "曲名の検索を中止しました。")};
        }
    }

    const std::optional<std::vector<DiscRelease>> releases =
        parseDiscReleases(std::string_view(answer.constData(), static_cast<std::size_t>(answer.size())),
                          discId.toStdString(), disc.tracks.size());
    if (!releases)
        return {std::move(disc), ja("DiscLookup", "MusicBrainz の応答を読み取れませんでした。曲名は調べていません。")};
    if (!fromCache) keepAnswer(cache, answer);
    if (releases->empty()) return {std::move(disc), NotFoundText};

    std::size_t chosen = 0;
    if (releases->size() > 1) {
        ReleaseChooser chooser(*releases, parent);
        if (chooser.exec() != QDialog::Accepted || chooser.chosen() < 0)
            return {std::move(disc), ja("DiscLookup", "リリースを選ばなかったので、曲名は変えていません。")};
        chosen = static_cast<std::size_t>(chooser.chosen());
    }
    return {namedAfter(std::move(disc), (*releases)[chosen]), ja("DiscLookup", "MusicBrainz から曲名を読み込みました。")};
}

}  // namespace vantoli
