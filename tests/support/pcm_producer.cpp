// A stand-in for `vantoli-plan --stream=-` in the tests of the dubbing window, following the same
// contract: one JSON request on stdin, 16-bit stereo PCM at 44.1 kHz on stdout, messages on stderr,
// exit 0, 1 when a source fails, 2 for a bad request. It reads only 16-bit stereo 44.1 kHz WAV files.
// PCM_PRODUCER_FAULT=crash aborts after the first second of sound; =fail exits 1 with a message there.

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

qint64 sent = 0;

void out(const QByteArray& pcm)
{
    const QByteArray fault = qgetenv("PCM_PRODUCER_FAULT");
    const char* at = pcm.constData();
    qint64 left = pcm.size();
    while (left > 0) {
        if (!fault.isEmpty() && sent >= 44100 * 4) {
            if (fault == "crash") std::abort();
            std::fputs("テスト: 音源の読み取りに失敗しました\n", stderr);
            std::exit(1);
        }
        const qint64 chunk = std::min<qint64>(left, 4096);
        const ssize_t done = ::write(STDOUT_FILENO, at, size_t(chunk));
        if (done <= 0) std::exit(0);  // the reader went away
        at += done;
        left -= done;
        sent += done;
    }
}

void silence(qint64 frames) { out(QByteArray(int(frames * 4), '\0')); }

// The samples of a WAV file's data chunk, or a message naming the file and exit 1.
QByteArray wavData(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: 開けません\n", qPrintable(path));
        std::exit(1);
    }
    const QByteArray all = file.readAll();
    const qsizetype data = all.indexOf("data", 12);
    if (data < 0) std::exit(1);
    return all.mid(data + 8);
}

}  // namespace

int main()
{
    QFile in;
    (void)in.open(stdin, QIODevice::ReadOnly);
    const QJsonObject request = QJsonDocument::fromJson(in.readAll()).object();
    if (!request.contains("tracks")) return 2;
    const QString what = request.value("what").toString("side");
    if (what == "tone") {
        QByteArray second(44100 * 4, '\0');
        auto* s = reinterpret_cast<std::int16_t*>(second.data());
        for (int f = 0; f < 44100; ++f)
            s[2 * f] = s[2 * f + 1] = std::int16_t(8000 * std::sin(2 * M_PI * 1000 * f / 44100.0));
        for (;;) out(second);
    }
    silence(std::llround(request.value("leadInSeconds").toDouble(2.0) * 44100));
    const QJsonArray tracks = request.value("tracks").toArray();
    for (qsizetype i = 0; i < tracks.size(); ++i) {
        if (i > 0 && request.value("gap").toBool()) silence(5 * 44100);
        const QJsonObject track = tracks[i].toObject();
        QByteArray data = wavData(track.value("path").toString());
        const qint64 start = track.value("startFrame").toInteger() * 588 * 4;
        const qint64 end = track.value("endFrame").toInteger(-1);
        data = end >= 0 ? data.mid(start, end * 588 * 4 - start) : data.mid(start);
        out(data);
    }
    return 0;
}
