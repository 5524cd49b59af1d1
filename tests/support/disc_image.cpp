#include "support/disc_image.h"

#include <QDir>
#include <QFile>

namespace vantoli::test {

namespace {

// "MM:SS:FF" of a frame count; the minutes may run past 99.
QByteArray msf(std::int64_t sectors)
{
    const std::int64_t frames = sectors % SectorsPerSecond;
    const std::int64_t seconds = sectors / SectorsPerSecond % 60;
    const std::int64_t minutes = sectors / SectorsPerSecond / 60;
    return QByteArray::number(qint64(minutes)).rightJustified(2, '0') + ':' +
           QByteArray::number(qint64(seconds)).rightJustified(2, '0') + ':' +
           QByteArray::number(qint64(frames)).rightJustified(2, '0');
}

}  // namespace

std::vector<ImageTrack> audioTracks(const std::vector<int>& seconds, int extraSectors)
{
    std::vector<ImageTrack> tracks;
    for (int s : seconds) tracks.push_back({s * SectorsPerSecond + extraSectors, false});
    return tracks;
}

QString writeTextFile(const QString& folder, const QString& fileName, const QByteArray& text)
{
    const QString path = QDir(folder).filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) return {};
    return path;
}

QString writeDiscImage(const QString& folder, const std::vector<ImageTrack>& tracks, const QString& name)
{
    return writeDiscImage(folder, tracks, {}, {}, name);
}

QString writeDiscImage(const QString& folder, const std::vector<ImageTrack>& tracks, const ImageText& disc,
                       const std::vector<ImageText>& texts, const QString& name)
{
    const auto textLines = [](const ImageText& text, const QByteArray& indent) {
        QByteArray lines;
        if (!text.title.isEmpty()) lines += indent + "TITLE \"" + text.title + "\"\r\n";
        if (!text.performer.isEmpty()) lines += indent + "PERFORMER \"" + text.performer + "\"\r\n";
        return lines;
    };
    const QString binName = name + ".bin";
    QByteArray cue = textLines(disc, "") + "FILE \"" + binName.toUtf8() + "\" BINARY\r\n";
    std::int64_t start = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        cue += "  TRACK " + QByteArray::number(qulonglong(i + 1)).rightJustified(2, '0') +
               (tracks[i].data ? " MODE1/2352\r\n" : " AUDIO\r\n");
        if (i < texts.size()) cue += textLines(texts[i], "    ");
        cue += "    INDEX 01 " + msf(start) + "\r\n";
        start += tracks[i].sectors;
    }

    QFile bin(QDir(folder).filePath(binName));
    if (!bin.open(QIODevice::WriteOnly | QIODevice::Truncate) || !bin.resize(start * RawSectorBytes)) return {};
    return writeTextFile(folder, name + ".cue", cue);
}

}  // namespace vantoli::test
