#include "gui/file_reading.h"

#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QMimeData>
#include <QUrl>

#include "gui/translation.h"

namespace vantoli {

namespace {
constexpr int ProgressDelayMs = 300;  // a quick read shows no window
}

void readInBackground(QWidget* window, QProgressDialog*& reading, const QString& label, const QString& cancel,
                      std::function<void()> work, std::function<void()> done, std::function<void()> ended,
                      std::function<void()> late)
{
    QThread* worker = QThread::create(std::move(work));
    reading = new QProgressDialog(label, cancel, 0, 0, window);
    reading->setObjectName(QStringLiteral("readProgress"));
    reading->setWindowTitle(QStringLiteral("Vantoli"));
    reading->setMinimumDuration(ProgressDelayMs);
    reading->setAutoClose(false);
    reading->setAutoReset(false);
    QPointer<QProgressDialog> progress = reading;
    // Whichever comes first, Cancel or the end of the work, ends the read; the other finds it gone.
    const auto finish = [&reading, progress] {
        if (!progress || progress != reading) return false;
        reading = nullptr;
        progress->deleteLater();
        return true;
    };
    QObject::connect(reading, &QProgressDialog::canceled, window, [finish, ended] {
        if (finish()) ended();
    });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    QObject::connect(worker, &QThread::finished, window, [finish, done, ended, late] {
        if (!finish()) {
            if (late) late();
            return;
        }
        done();
        ended();
    });
    worker->start();
}

QString audioFileFilter()
{
    return translated(ja("MainForm",
                         "音声ファイルとプレイリスト (*.flac *.mp3 *.ogg *.oga *.opus *.wav *.aif *.aiff *.aifc "
                         "*.m4a *.wma *.ape *.wv *.mpc *.tta *.spx *.m3u *.m3u8 *.cue *.csv);;"
                         "すべてのファイル (*)"));
}

QStringList droppedPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths << url.toLocalFile();
    return paths;
}

}  // namespace vantoli
