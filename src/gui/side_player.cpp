#include "gui/side_player.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QDir>
#include <QMediaDevices>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "core/language.h"
#include "gui/program_files.h"

namespace vantoli {

namespace {

constexpr int BytesPerFrame = 4;
constexpr qint64 ReadAhead = 4 * SampleRate * BytesPerFrame;   // read no further ahead than 4 s
constexpr qint64 StartAfter = SampleRate / 2 * BytesPerFrame;  // half a second read before sounding
constexpr int SinkBufferBytes = SampleRate / 2 * BytesPerFrame;
constexpr int PumpMs = 10;
constexpr int StallMs = 3000;                                // an output that takes nothing this long has gone away
constexpr std::int64_t LevelBlockFrames = SampleRate / 100;  // the meters' resolution: 10 ms

QAudioFormat cdFormat()
{
    QAudioFormat format;
    format.setSampleRate(int(SampleRate));
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

void keepLouder(ChannelLevel& kept, const ChannelLevel& fresh)
{
    kept.peakDb = std::max(kept.peakDb, fresh.peakDb);
    kept.rmsDb = std::max(kept.rmsDb, fresh.rmsDb);
}

}  // namespace

SidePlayer::SidePlayer(QObject* parent) : QObject(parent), pump_(new QTimer(this))
{
    pump_->setTimerType(Qt::PreciseTimer);
    pump_->setInterval(PumpMs);
    connect(pump_, &QTimer::timeout, this, [this] { feed(); });
}

SidePlayer::~SidePlayer() { stop(); }

QString SidePlayer::rendererProgram() { return planProgram(); }

void SidePlayer::load(const QByteArray& request, const QAudioDevice& output, const QByteArray& prelude)
{
    stop();
    device_ = output;
    waiting_ = prelude;
    preludeBytes_ = prelude.size() / BytesPerFrame * BytesPerFrame;
    waiting_.truncate(preludeBytes_);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        fail(tr("パイプを作れません。"));
        return;
    }
    const int writeEnd = fds[1];
    pipe_ = fds[0];
    ::fcntl(pipe_, F_SETFL, ::fcntl(pipe_, F_GETFL) | O_NONBLOCK);

    child_ = new QProcess(this);
    // The PCM goes through our own pipe, read only as fast as it is played; stderr carries messages.
    child_->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    child_->setChildProcessModifier([writeEnd] { ::dup2(writeEnd, STDOUT_FILENO); });
    // The renderer's messages are shown here: they speak the window's language, which the Settings menu
    // may have chosen against the environment.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.insert(QStringLiteral("LC_ALL"), currentLanguage() == Language::English ? QStringLiteral("en_US.UTF-8")
                                                                                       : QStringLiteral("C.UTF-8"));
    child_->setProcessEnvironment(environment);
    connect(child_, &QProcess::readyReadStandardError, this,
            [this] { errors_ += QString::fromUtf8(child_->readAllStandardError()); });
    connect(child_, &QProcess::finished, this, [this] { childEnded(); });
    connect(child_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            fail(tr("%1 を起動できません。").arg(QDir::toNativeSeparators(child_->program())));
    });
    child_->start(rendererProgram(), {QStringLiteral("--stream=-")});
    ::close(writeEnd);
    if (!child_) return;  // failed to start
    child_->write(request);
    child_->closeWriteChannel();

    notifier_ = new QSocketNotifier(pipe_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readChild(); });
}

void SidePlayer::readChild()
{
    while (pipe_ >= 0 && waiting_.size() < preludeBytes_ + ReadAhead) {
        char block[65536];
        const ssize_t got = ::read(pipe_, block, sizeof block);
        if (got > 0) {
            waiting_.append(block, got);
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) break;
        childDone_ = true;  // end of the stream (or a broken pipe: the child's exit says which)
        closePipe();
    }
    // Full: stop listening until the sink has taken some.
    if (notifier_) notifier_->setEnabled(waiting_.size() < preludeBytes_ + ReadAhead);
    feed();
}

void SidePlayer::play()
{
    wantPlay_ = true;
    paused_ = false;
    feed();
}

void SidePlayer::feed()
{
    if (!wantPlay_ || paused_) return;
    if (!sink_) {
        if (waiting_.size() < preludeBytes_ + StartAfter && !childDone_) return;
        sink_ = new QAudioSink(device_, cdFormat(), this);
        sink_->setBufferSize(SinkBufferBytes);
        // Queued, so that a stop on the way (which deletes the sink) never runs inside the sink's own signal.
        connect(
            sink_, &QAudioSink::stateChanged, this,
            [this, from = QPointer<QAudioSink>(sink_)](QAudio::State state) {
                if (!sink_ || from != sink_) return;
                if (sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError ||
                    (state == QAudio::StoppedState && sink_->error() != QAudio::NoError))
                    fail(tr("音声の出力先が使えなくなりました。"));
                else if (state == QAudio::IdleState && childDone_ && waiting_.isEmpty() && !child_)
                    emit finished();
            },
            Qt::QueuedConnection);
        output_ = sink_->start();
        if (!output_) {
            fail(tr("音声の出力先を開けません。"));
            return;
        }
        pump_->start();
    }
    const qint64 room = std::min<qint64>(sink_->bytesFree(), waiting_.size()) / BytesPerFrame * BytesPerFrame;
    if (room > 0 || waiting_.isEmpty()) {
        stalled_.start();
    } else if (stalled_.isValid() && stalled_.elapsed() > StallMs) {
        fail(tr("音声の出力先が応答しません。"));
        return;
    }
    if (room > 0) {
        const qint64 taken = output_->write(waiting_.constData(), room);
        if (taken > 0) {
            const auto* samples = reinterpret_cast<const std::int16_t*>(waiting_.constData());
            const std::int64_t frames = taken / BytesPerFrame;
            const std::int64_t first = written_ / BytesPerFrame;
            for (std::int64_t f = 0; f < frames; f += LevelBlockFrames) {
                const std::int64_t n = std::min(LevelBlockFrames, frames - f);
                levels_.push_back({first + f, stereoLevel(samples + 2 * f, std::size_t(n))});
            }
            waiting_.remove(0, taken);
            written_ += taken;
        }
    }
    if (notifier_ && waiting_.size() < preludeBytes_ + ReadAhead) notifier_->setEnabled(true);
    // Everything handed over: the end comes when the sink runs dry, or, should it never say so, once its
    // buffer has surely played out.
    if (childDone_ && !child_ && waiting_.isEmpty()) {
        if (!handedAll_.isValid())
            handedAll_.start();
        else if (handedAll_.elapsed() > SinkBufferBytes / BytesPerFrame * 1000 / SampleRate + StallMs)
            emit finished();
    }
}

void SidePlayer::pause()
{
    if (!wantPlay_ || paused_) return;
    paused_ = true;
    if (sink_) sink_->suspend();
}

void SidePlayer::resume()
{
    if (!paused_) return;
    paused_ = false;
    if (sink_) sink_->resume();
    stalled_.start();
    if (handedAll_.isValid()) handedAll_.start();
    feed();
}

void SidePlayer::childEnded()
{
    QProcess* child = child_;
    if (!child) return;
    const bool crashed = child->exitStatus() == QProcess::CrashExit;
    const int code = child->exitCode();
    readChild();  // what is still in the pipe
    if (crashed || code != 0) {
        const QString detail = errors_.trimmed();
        fail(detail.isEmpty() ? tr("音声を作るプロセスが異常終了しました。") : detail);
        return;
    }
    child_ = nullptr;
    child->deleteLater();
    // A stream shorter than the start threshold sounds now; the end comes when the sink runs dry.
    feed();
}

void SidePlayer::fail(const QString& detail)
{
    stop();
    emit failed(detail);
}

void SidePlayer::closePipe()
{
    // Later: this may run inside the notifier's own signal.
    if (notifier_) {
        notifier_->setEnabled(false);
        notifier_->deleteLater();
    }
    notifier_ = nullptr;
    if (pipe_ >= 0) ::close(pipe_);
    pipe_ = -1;
}

void SidePlayer::stop()
{
    pump_->stop();
    if (sink_) {
        QAudioSink* sink = sink_;
        sink_ = nullptr;
        sink->disconnect(this);
        sink->stop();
        // At once: a sink left for the event loop could outlive the audio engine at exit.
        delete sink;
    }
    output_ = nullptr;
    closePipe();
    if (child_) {
        QProcess* child = child_;
        child_ = nullptr;
        child->disconnect(this);
        child->kill();
        child->waitForFinished(3000);
        // Later: stop() may run inside one of the child's own signals.
        child->deleteLater();
    }
    waiting_.clear();
    childDone_ = false;
    wantPlay_ = false;
    paused_ = false;
    written_ = 0;
    preludeBytes_ = 0;
    levels_.clear();
    stalled_.invalidate();
    handedAll_.invalidate();
    errors_.clear();
}

std::int64_t SidePlayer::playedFrames() const
{
    const qint64 buffered = sink_ ? std::max<qint64>(0, qint64(sink_->bufferSize()) - sink_->bytesFree()) : 0;
    return (std::max<qint64>(0, written_ - buffered) - preludeBytes_) / BytesPerFrame;
}

qint64 SidePlayer::childPid() const { return child_ ? child_->processId() : 0; }

StereoLevel SidePlayer::levelNow(int spanMs)
{
    const std::int64_t now = playedFrames() + preludeBytes_ / BytesPerFrame;
    const std::int64_t from = now - spanMs * SampleRate / 1000;
    while (!levels_.empty() && levels_.front().frame + LevelBlockFrames <= from) levels_.pop_front();
    StereoLevel level;
    for (const BlockLevel& block : levels_) {
        if (block.frame >= now) break;
        keepLouder(level.left, block.level.left);
        keepLouder(level.right, block.level.right);
    }
    return level;
}

}  // namespace vantoli
