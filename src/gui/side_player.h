#pragma once
// Plays one stream of vantoli-plan: starts `vantoli-plan --stream=-` as a child process, hands it the
// request, reads the 16-bit stereo PCM it writes through a pipe of our own (read only while less than
// a few seconds wait, so that a long side never piles up in memory) and writes it to a QAudioSink.
// The levels are taken from the samples as they are written to the sink.

#include <QAudioDevice>
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <deque>

#include "core/dubbing_cues.h"

class QAudioSink;
class QIODevice;
class QProcess;
class QSocketNotifier;
class QTimer;

namespace vantoli {

class SidePlayer : public QObject {
    Q_OBJECT
public:
    explicit SidePlayer(QObject* parent = nullptr);
    ~SidePlayer() override;  // stops the sound and ends the child

    // The renderer: vantoli-plan (gui/program_files.h).
    static QString rendererProgram();

    // Starts the child on `request` (the JSON object of the stream) and begins reading; nothing
    // sounds until play(). `prelude` is PCM played before the stream (the count-down), frame-exact
    // ahead of it; the stream's first frame is frame 0.
    void load(const QByteArray& request, const QAudioDevice& output, const QByteArray& prelude = {});
    // Sounds as soon as the prelude and half a second of the stream are read (at once when the stream
    // is shorter).
    void play();
    void pause();
    void resume();
    // Silences the output and ends the child at once.
    void stop();

    bool loaded() const { return child_ != nullptr; }
    // The output it plays to (set by load()).
    const QAudioDevice& output() const { return device_; }
    // The child's process id while it runs, else 0.
    qint64 childPid() const;
    bool paused() const { return paused_; }
    // The frame of the stream the output is sounding now; below 0 during the prelude.
    std::int64_t playedFrames() const;
    // The levels of the samples sounding now: those written to the sink that the output reached in
    // the last `spanMs` milliseconds.
    StereoLevel levelNow(int spanMs = 40);

signals:
    // The whole stream has sounded.
    void finished();
    // The child failed or died, or the output went away: what to tell the user.
    void failed(const QString& detail);

private:
    void readChild();
    void feed();
    void childEnded();
    void fail(const QString& detail);
    void closePipe();

    QProcess* child_ = nullptr;
    int pipe_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QAudioSink* sink_ = nullptr;
    QIODevice* output_ = nullptr;
    QTimer* pump_ = nullptr;
    QAudioDevice device_;
    QByteArray waiting_;      // read from the child, not yet written to the sink
    bool childDone_ = false;  // the child has closed its output
    bool wantPlay_ = false;
    bool paused_ = false;
    qint64 preludeBytes_ = 0;
    std::int64_t written_ = 0;  // bytes written to the sink
    // The level of each block of the written stream, by the stream frame it starts at (prelude included).
    struct BlockLevel {
        std::int64_t frame;
        StereoLevel level;
    };
    std::deque<BlockLevel> levels_;
    QString errors_;  // what the child wrote to stderr
    QElapsedTimer stalled_;  // since the sink last took samples while some were waiting
    QElapsedTimer handedAll_;  // since the last sample of the stream went to the sink
};

}  // namespace vantoli
