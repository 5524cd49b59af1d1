#pragma once
// Plays one side through vantoli-plan: starts `vantoli-plan --play --request=- --json`, hands it the
// request, and follows the report lines it writes (core/sound_report.h): the frame sounding, the
// levels, the cues. vantoli-plan owns the sound device and feeds it from its own thread, so this
// window's thread may stall for any time without a sample lost; its commands (pause, resume, stop) go
// to the child's standard input. It also asks vantoli-plan --devices for the outputs to choose from.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

#include "core/sound_report.h"
#include "core/stream_request.h"

class QProcess;

namespace vantoli {

class SidePlayer : public QObject {
    Q_OBJECT
public:
    explicit SidePlayer(QObject* parent = nullptr);
    ~SidePlayer() override;  // ends the child

    // The renderer: vantoli-plan (gui/program_files.h).
    static QString rendererProgram();

    // Starts the child on `request` to the output named `device` (empty: the server's default).
    void play(const StreamRequest& request, const QString& device);
    void pause();
    void resume();
    // Ends the child; nothing is reported after it.
    void stop();

    bool loaded() const { return child_ != nullptr; }
    // The child's process id while it runs, else 0.
    qint64 childPid() const;
    bool paused() const { return paused_; }
    // The frame of the side sounding, as the child last said: negative during the count-down.
    std::int64_t playedFrames() const { return frame_; }
    // The levels the child last reported.
    StereoLevel levelNow() const { return level_; }
    // The cue sounding, as the child last said (none before its first).
    const std::optional<SoundReport>& cue() const { return cue_; }

    // Asks the child for the outputs; devicesListed() follows.
    void listDevices();

signals:
    // Every line the child reports, as it is read.
    void reported(const vantoli::SoundReport& report);
    // The side has sounded to its end (after its end cue).
    void finished();
    // The child failed or died, or the sound server or the output went away: what to tell the user.
    void failed(const QString& detail);
    // The answer to listDevices(); empty lists when the server cannot be asked.
    void devicesListed(const vantoli::SoundDevices& devices);

private:
    void readReports();
    void childEnded(int code, bool crashed);
    void send(const char* command);
    QProcess* startChild(const QStringList& arguments);

    QProcess* child_ = nullptr;
    QProcess* lister_ = nullptr;
    bool paused_ = false;
    bool ended_ = false;  // the end cue came
    std::int64_t frame_ = 0;
    StereoLevel level_;
    std::optional<SoundReport> cue_;
    QString error_;   // the message of the child's error line
    QString errors_;  // what the child wrote to stderr
};

}  // namespace vantoli
