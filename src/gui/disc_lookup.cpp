#include "gui/disc_lookup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <optional>

#include "core/disc_release.h"
#include "gui/plan_process.h"
#include "gui/program_files.h"
#include "gui/release_chooser.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

constexpr int TimeoutMs = 10000;
constexpr int RequestSpacingMs = 1000;  // the service allows one request a second
constexpr int ProgressDelayMs = 400;    // a quick answer shows no window
// The service's own answers to a disc are small; anything far larger is not one (vantoli-helper
// refuses them too).
constexpr qint64 MaxAnswerBytes = 4 * 1024 * 1024;

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

// When the last request went out, for the spacing between requests over the whole run.
QElapsedTimer& lastRequest()
{
    static QElapsedTimer timer;
    return timer;
}

constexpr Ja NotFoundText = ja("DiscLookup", "MusicBrainz にこのCDは見つかりませんでした。");

}  // namespace

QString musicBrainzBaseUrl()
{
    const QString url = qEnvironmentVariable("VANTOLI_MUSICBRAINZ_URL");
    return url.isEmpty() ? QStringLiteral("https://musicbrainz.org") : url;
}

DiscLookupRun::DiscLookupRun(QWidget* parent, const DiscToc& toc, TrackList disc)
    : QObject(parent), window_(parent), disc_(std::move(disc)),
      discId_(QString::fromStdString(musicBrainzDiscId(toc)))
{
}

void DiscLookupRun::start()
{
    if (discId_.isEmpty()) return finish({std::move(disc_), NotFoundText});
    cache_ = cacheFile(discId_);
    if (std::optional<QByteArray> cached = cachedAnswer(cache_)) return answerRead(*cached, true);
    startAsking();
}

void DiscLookupRun::startAsking()
{
    url_ = QUrl(musicBrainzBaseUrl() + QStringLiteral("/ws/2/discid/") + discId_ +
                QStringLiteral("?fmt=json&inc=recordings+artist-credits"));
    // The whole wait, from the first request to the answer's last byte, retries and spacing included.
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, [this] { fail(Failure::TimedOut); });
    deadline_->start(TimeoutMs);
    progressDelay_ = new QTimer(this);
    progressDelay_->setSingleShot(true);
    connect(progressDelay_, &QTimer::timeout, this, &DiscLookupRun::showProgress);
    progressDelay_->start(ProgressDelayMs);
    ask();
}

void DiscLookupRun::showProgress()
{
    if (done_) return;
    progress_ = new QProgressDialog(window_);
    progress_->setObjectName(QStringLiteral("LookupProgress"));
    progress_->setRange(0, 0);
    progress_->setLabelText(translated(ja("DiscLookup", "MusicBrainz で曲名を調べています...")));
    progress_->setCancelButtonText(translated(ja("DiscLookup", "キャンセル")));
    showText(progress_, ja("DiscLookup", "曲名の検索"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    // Cancel, the close box and Esc all end the wait.
    connect(progress_, &QProgressDialog::canceled, this, &DiscLookupRun::cancel);
    connect(progress_, &QDialog::rejected, this, &DiscLookupRun::cancel);
    progress_->show();
}

void DiscLookupRun::cancel() { fail(Failure::Cancelled); }

void DiscLookupRun::ask()
{
    if (done_) return;
    // The request waits for its turn: the service allows one a second.
    if (lastRequest().isValid() && lastRequest().elapsed() < RequestSpacingMs) {
        QTimer::singleShot(RequestSpacingMs - lastRequest().elapsed(), this, &DiscLookupRun::ask);
        return;
    }
    lastRequest().start();
    // vantoli-helper asks the service (--fetch): the window loads no network library. It keeps the
    // service's rules for a request, follows a redirect only within the service, and refuses an
    // answer past 4 MiB; the deadline stays the window's own.
    child_ = new QProcess(this);
    QProcess* child = child_;
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(child, &QProcess::finished, this, [this, child] { answered(child); });
    connect(child, &QProcess::errorOccurred, this, [this, child](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && child == child_) fail(Failure::NoConnection);
    });
    child->start(helperProgram(), {QStringLiteral("--fetch=") + url_.toString(QUrl::FullyEncoded)});
}

void DiscLookupRun::answered(QProcess* child)
{
    if (done_ || child != child_) return;
    const QByteArray output = child->readAllStandardOutput();
    // The next request keeps its distance from this answer too, however long the way here took.
    lastRequest().start();
    child_ = nullptr;
    child->deleteLater();
    const qsizetype lineEnd = output.indexOf('\n');
    const QJsonObject head = QJsonDocument::fromJson(output.left(lineEnd)).object();
    const QString failure = head.value(QStringLiteral("failure")).toString();
    if (failure == QLatin1String("other-host")) return fail(Failure::OtherHost);
    if (failure == QLatin1String("too-large")) return fail(Failure::TooLarge);
    if (failure == QLatin1String("timed-out")) return fail(Failure::TimedOut);
    const int status = head.value(QStringLiteral("status")).toInt();
    const QByteArray answer = lineEnd < 0 ? QByteArray() : output.mid(lineEnd + 1);
    if (answer.size() > MaxAnswerBytes) return fail(Failure::TooLarge);
    if (status == 503 && attempt_++ == 0) return ask();
    if (status == 404) {
        // Kept as an answer without releases: the same disc is not asked for again.
        keepAnswer(cache_, R"({"releases":[]})");
        return finish({std::move(disc_), NotFoundText});
    }
    if (status != 200) return fail(Failure::NoConnection);
    answerRead(answer, false);
}

void DiscLookupRun::answerRead(const QByteArray& answer, bool fromCache)
{
    const std::optional<std::vector<DiscRelease>> releases =
        parseDiscReleases(std::string_view(answer.constData(), static_cast<std::size_t>(answer.size())),
                          discId_.toStdString(), disc_.tracks.size());
    // The service lists the releases that hold the disc: a list of them none of which can be read is no
    // answer of its either.
    const bool listed = !QJsonDocument::fromJson(answer).object().value(QStringLiteral("releases")).toArray().isEmpty();
    if (!releases || (releases->empty() && listed)) {
        // A cached answer that cannot be read is asked for again; a new one is not kept.
        if (fromCache) return startAsking();
        return fail(Failure::Malformed);
    }
    if (!fromCache) keepAnswer(cache_, answer);
    if (releases->empty()) return finish({std::move(disc_), NotFoundText});
    if (releases->size() == 1)
        return finish({namedAfter(std::move(disc_), releases->front()), ja("DiscLookup", "MusicBrainz から曲名を読み込みました。")});

    // Several: the user chooses, in a modal window of its own.
    done_ = true;
    dropRequest();
    QMetaObject::invokeMethod(
        this,
        [this, releases = *releases] {
            ReleaseChooser chooser(releases, window_);
            if (chooser.exec() != QDialog::Accepted || chooser.chosen() < 0) {
                emit finished({std::move(disc_), ja("DiscLookup", "リリースを選ばなかったので、曲名は変えていません。")});
            } else {
                emit finished({namedAfter(std::move(disc_), releases[static_cast<std::size_t>(chooser.chosen())]),
                               ja("DiscLookup", "MusicBrainz から曲名を読み込みました。")});
            }
            deleteLater();
        },
        Qt::QueuedConnection);
}

void DiscLookupRun::fail(Failure failure)
{
    switch (failure) {
    case Failure::NoConnection:
        return finish({std::move(disc_), ja("DiscLookup", "MusicBrainz に接続できませんでした。曲名は調べていません。")});
    case Failure::TimedOut:
        return finish({std::move(disc_), ja("DiscLookup", "MusicBrainz から応答がありませんでした。曲名は調べていません。")});
    case Failure::TooLarge:
        return finish({std::move(disc_), ja("DiscLookup", "MusicBrainz の応答が大きすぎます。曲名は調べていません。")});
    case Failure::Malformed:
        return finish({std::move(disc_), ja("DiscLookup", "MusicBrainz の応答を読み取れませんでした。曲名は調べていません。")});
    case Failure::OtherHost:
        return finish({std::move(disc_), ja("DiscLookup", "MusicBrainz の応答が別のサーバーへの転送だったため、断りました。曲名は調べていません。")});
    case Failure::Cancelled: return finish({std::move(disc_), ja("DiscLookup", "曲名の検索を中止しました。")});
    }
}

void DiscLookupRun::dropRequest()
{
    if (deadline_) deadline_->stop();
    if (progressDelay_) progressDelay_->stop();
    if (progress_) {
        progress_->disconnect(this);
        progress_->deleteLater();
    }
    // A request still waiting (endless headers) ends with its child, which goes once it has ended.
    if (child_) {
        QProcess* child = child_;
        child_ = nullptr;
        child->disconnect(this);
        child->kill();
        letProcessEnd(child);
    }
}

void DiscLookupRun::finish(DiscLookup result)
{
    if (done_) return;
    done_ = true;
    dropRequest();
    // Reported from the event loop, never from inside the call that started the lookup.
    QMetaObject::invokeMethod(
        this,
        [this, result = std::move(result)] {
            emit finished(result);
            deleteLater();
        },
        Qt::QueuedConnection);
}

void lookUpDisc(QWidget* parent, const DiscToc& toc, TrackList disc, std::function<void(DiscLookup)> done)
{
    auto* run = new DiscLookupRun(parent, toc, std::move(disc));
    QObject::connect(run, &DiscLookupRun::finished, parent, [done = std::move(done)](const DiscLookup& result) { done(result); });
    run->start();
}

}  // namespace vantoli
