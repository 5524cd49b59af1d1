#include "gui/side_player.h"

#include <QDir>
#include <QProcess>
#include <QTimer>

#include "gui/plan_process.h"
#include "gui/program_files.h"

namespace vantoli {

namespace {

constexpr int KillAfterMs = 2000;  // a child that does not end on "stop" is killed

}  // namespace

SidePlayer::SidePlayer(QObject* parent) : QObject(parent) {}

SidePlayer::~SidePlayer()
{
    stop();
    if (lister_) {
        lister_->disconnect(this);
        if (lister_->state() == QProcess::NotRunning) {
            delete lister_;
        } else {
            letProcessEnd(lister_);
            lister_->kill();
        }
    }
}

QString SidePlayer::rendererProgram() { return planProgram(); }

QProcess* SidePlayer::startChild(const QStringList& arguments)
{
    QProcess* child = newPlanProcess(this);
    startPlan(child, arguments);
    return child;
}

void SidePlayer::play(const StreamRequest& request, const QString& device)
{
    stop();
    paused_ = false;
    ended_ = false;
    frame_ = -std::int64_t(framesOfSeconds(request.countDownSeconds));
    level_ = {};
    cue_.reset();
    error_.clear();
    errors_.clear();
    QStringList arguments{QStringLiteral("--play"), QStringLiteral("--request=-"), QStringLiteral("--json")};
    if (!device.isEmpty()) arguments << QStringLiteral("--device=") + device;
    child_ = startChild(arguments);
    connect(child_, &QProcess::readyReadStandardOutput, this, &SidePlayer::readReports);
    connect(child_, &QProcess::readyReadStandardError, this,
            [this] { errors_ += QString::fromUtf8(child_->readAllStandardError()); });
    connect(child_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        childEnded(code, status == QProcess::CrashExit);
    });
    connect(child_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        const QString program = QDir::toNativeSeparators(child_->program());
        stop();
        emit failed(tr("%1 を起動できません。").arg(program));
    });
    child_->write(QByteArray::fromStdString(streamRequestJson(request)) + '\n');
}

void SidePlayer::send(const char* command)
{
    if (child_ && child_->state() != QProcess::NotRunning) child_->write(QByteArray(command) + '\n');
}

void SidePlayer::pause()
{
    if (!child_ || paused_) return;
    paused_ = true;
    send("pause");
}

void SidePlayer::resume()
{
    if (!child_ || !paused_) return;
    paused_ = false;
    send("resume");
}

void SidePlayer::readReports()
{
    while (child_ && child_->canReadLine()) {
        const QByteArray line = child_->readLine();
        const std::optional<SoundReport> report = parseSoundReport(std::string_view(line.constData(), line.size()));
        if (!report) continue;
        switch (report->event) {
        case SoundEvent::Level:
            frame_ = report->frame;
            level_ = report->level;
            break;
        case SoundEvent::Cue:
            frame_ = report->frame;
            cue_ = report;
            if (report->cue == SoundCue::End) ended_ = true;
            break;
        case SoundEvent::Paused:
        case SoundEvent::Resumed: frame_ = report->frame; break;
        case SoundEvent::Error: error_ = QString::fromStdString(report->message); break;
        }
        emit reported(*report);
    }
}

void SidePlayer::childEnded(int code, bool crashed)
{
    if (!child_) return;
    readReports();  // what is still in the pipe
    errors_ += QString::fromUtf8(child_->readAllStandardError());
    QProcess* child = child_;
    child_ = nullptr;
    child->deleteLater();
    if (crashed || code != 0) {
        QString detail = error_.isEmpty() ? errors_.trimmed() : error_;
        if (detail.isEmpty()) detail = tr("音声を再生するプロセスが異常終了しました。");
        emit failed(detail);
        return;
    }
    if (ended_) emit finished();
}

void SidePlayer::stop()
{
    if (!child_) return;
    QProcess* child = child_;
    child_ = nullptr;
    child->disconnect(this);
    // The child stops its stream and ends on its own; one that does not is killed. The process object
    // goes when the child has ended, so that nothing here waits for it.
    if (child->state() != QProcess::NotRunning) {
        child->write("stop\n");
        child->closeWriteChannel();
        letProcessEnd(child);
        QTimer::singleShot(KillAfterMs, child, [child] { child->kill(); });
    } else {
        child->deleteLater();
    }
    paused_ = false;
}

qint64 SidePlayer::childPid() const { return child_ ? child_->processId() : 0; }

void SidePlayer::listDevices()
{
    if (lister_) return;
    lister_ = startChild({QStringLiteral("--devices")});
    connect(lister_, &QProcess::finished, this, [this] {
        const QByteArray text = lister_->readAllStandardOutput();
        lister_->deleteLater();
        lister_ = nullptr;
        const std::optional<SoundDevices> devices = parseSoundDevices(std::string_view(text.constData(), text.size()));
        emit devicesListed(devices.value_or(SoundDevices{}));
    });
    connect(lister_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart || !lister_) return;
        lister_->deleteLater();
        lister_ = nullptr;
        emit devicesListed({});
    });
}

}  // namespace vantoli
