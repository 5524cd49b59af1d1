#include "support/audio_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtEndian>

namespace vantoli::test {

namespace {

void appendLe32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void appendLe16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}
void appendBe32(QByteArray& out, quint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}
void appendBe16(QByteArray& out, quint16 v)
{
    char b[2];
    qToBigEndian(v, b);
    out.append(b, 2);
}

// The 80-bit IEEE extended number AIFF keeps its sample rate in.
QByteArray extended80(quint32 value)
{
    QByteArray out(10, '\0');
    if (value == 0) return out;
    quint64 mantissa = value;
    int shift = 0;
    while (!(mantissa & (quint64(1) << 63))) {
        mantissa <<= 1;
        ++shift;
    }
    qToBigEndian(static_cast<quint16>(16383 + 63 - shift), out.data());
    qToBigEndian(mantissa, out.data() + 2);
    return out;
}

// Writes the header and makes the file `header + dataBytes (+ pad)` long without writing the rest.
QString writeSparse(const QString& folder, const QString& name, const QByteArray& header, qint64 totalSize)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(header) != header.size() ||
        !file.resize(totalSize))
        return {};
    return path;
}

}  // namespace

std::int64_t framesOf(std::int64_t milliseconds, int sampleRate) { return milliseconds * sampleRate / 1000; }

QString writeWav(const QString& folder, const QString& name, std::int64_t frames, PcmFormat format)
{
    const quint32 blockAlign = static_cast<quint32>(format.channels * format.bitsPerSample / 8);
    const quint32 dataBytes = static_cast<quint32>(frames * blockAlign);
    QByteArray header;
    header += "RIFF";
    appendLe32(header, 36 + dataBytes + (dataBytes & 1));
    header += "WAVE";
    header += "fmt ";
    appendLe32(header, 16);
    appendLe16(header, 1);  // PCM
    appendLe16(header, static_cast<quint16>(format.channels));
    appendLe32(header, static_cast<quint32>(format.sampleRate));
    appendLe32(header, static_cast<quint32>(format.sampleRate) * blockAlign);
    appendLe16(header, static_cast<quint16>(blockAlign));
    appendLe16(header, static_cast<quint16>(format.bitsPerSample));
    header += "data";
    appendLe32(header, dataBytes);
    return writeSparse(folder, name, header, header.size() + dataBytes + (dataBytes & 1));
}

QString writeAiff(const QString& folder, const QString& name, std::int64_t frames, PcmFormat format)
{
    const quint32 blockAlign = static_cast<quint32>(format.channels * format.bitsPerSample / 8);
    const quint32 dataBytes = static_cast<quint32>(frames * blockAlign);
    QByteArray header;
    header += "FORM";
    appendBe32(header, 4 + (8 + 18) + (8 + 8 + dataBytes + (dataBytes & 1)));
    header += "AIFF";
    header += "COMM";
    appendBe32(header, 18);
    appendBe16(header, static_cast<quint16>(format.channels));
    appendBe32(header, static_cast<quint32>(frames));
    appendBe16(header, static_cast<quint16>(format.bitsPerSample));
    header += extended80(static_cast<quint32>(format.sampleRate));
    header += "SSND";
    appendBe32(header, 8 + dataBytes);
    appendBe32(header, 0);  // offset
    appendBe32(header, 0);  // block size
    return writeSparse(folder, name, header, header.size() + dataBytes + (dataBytes & 1));
}

QString extensionOf(Encoder encoder)
{
    switch (encoder) {
    case Encoder::Flac: return "flac";
    case Encoder::Mp3: return "mp3";
    case Encoder::Vorbis: return "ogg";
    case Encoder::Opus: return "opus";
    }
    return {};
}

QString encode(Encoder encoder, const QString& wavPath, const QString& outPath, const AudioTags& tags)
{
    QString program;
    QStringList arguments;
    switch (encoder) {
    case Encoder::Flac:
        program = "flac";
        arguments << "--silent"
                  << "--force"
                  << "-o" << outPath;
        if (!tags.title.isEmpty()) arguments << "--tag=TITLE=" + tags.title;
        if (!tags.artist.isEmpty()) arguments << "--tag=ARTIST=" + tags.artist;
        if (!tags.album.isEmpty()) arguments << "--tag=ALBUM=" + tags.album;
        arguments << wavPath;
        break;
    case Encoder::Mp3:
        program = "lame";
        arguments << "--quiet"
                  << "--id3v2-only"
                  << "--id3v2-utf16";
        if (!tags.title.isEmpty()) arguments << "--tt" << tags.title;
        if (!tags.artist.isEmpty()) arguments << "--ta" << tags.artist;
        if (!tags.album.isEmpty()) arguments << "--tl" << tags.album;
        arguments << wavPath << outPath;
        break;
    case Encoder::Vorbis:
        program = "oggenc";
        arguments << "--quiet"
                  << "--utf8"
                  << "-o" << outPath;
        if (!tags.title.isEmpty()) arguments << "--title" << tags.title;
        if (!tags.artist.isEmpty()) arguments << "--artist" << tags.artist;
        if (!tags.album.isEmpty()) arguments << "--album" << tags.album;
        arguments << wavPath;
        break;
    case Encoder::Opus:
        program = "opusenc";
        arguments << "--quiet";
        if (!tags.title.isEmpty()) arguments << "--title" << tags.title;
        if (!tags.artist.isEmpty()) arguments << "--artist" << tags.artist;
        if (!tags.album.isEmpty()) arguments << "--album" << tags.album;
        arguments << wavPath << outPath;
        break;
    }

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");  // the encoders take their tags in the locale's encoding
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) return program + " did not start: " + process.errorString();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return program + " did not finish";
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + " failed: " + QString::fromLocal8Bit(process.readAll());
    if (!QFile::exists(outPath)) return program + " wrote nothing";
    return {};
}

QString writeEncoded(Encoder encoder, const QString& folder, const QString& name, std::int64_t milliseconds,
                     const AudioTags& tags)
{
    const QString wavName = name + ".source.wav";
    const QString wav = writeWav(folder, wavName, framesOf(milliseconds));
    if (wav.isEmpty()) return {};
    const QString out = QDir(folder).filePath(name);
    const QString error = encode(encoder, wav, out, tags);
    QFile::remove(wav);
    if (!error.isEmpty()) {
        qWarning("%s", qPrintable(error));
        return {};
    }
    return out;
}

}  // namespace vantoli::test
