// CUE sheets written by real rippers (EAC, XLD, whipper, CUETools, foobar2000, Redump dumps), each read
// beside silent audio files under the names it gives, against what the corpus's own reference reader
// (expect.py, beside the sheets) says a correct reader gives. The audio files it writes are WAV data
// under the sheet's names (.flac, .ape, .dummy, .bin), so their lengths are read from the WAV header
// rather than by TagLib, which would pick its parser by the name.

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "device/read_files.h"

using namespace vantoli;

namespace {

const QString Corpus = QStringLiteral(VANTOLI_CUE_CORPUS_DIR);

// The playing time of a canonical 44-byte-header WAV file: its data's size at 44.1 kHz, 16-bit stereo.
class WavHeaderReader final : public AudioFileReader {
public:
    std::optional<AudioFileTags> read(const std::string& path) const override
    {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        const QByteArray header = file.read(44);
        if (header.size() < 44 || !header.startsWith("RIFF") || header.mid(36, 4) != "data") return std::nullopt;
        const auto* size = reinterpret_cast<const uchar*>(header.constData() + 40);
        const qint64 bytes = qint64(size[0]) | qint64(size[1]) << 8 | qint64(size[2]) << 16 | qint64(size[3]) << 24;
        return AudioFileTags{bytes * 1000 / (44100 * 4), {}, {}, {}, {}};
    }
};

QByteArray runExpect(const QStringList& arguments)
{
    QProcess python;
    python.start("python3", QStringList{QDir(Corpus).filePath("expect.py")} + arguments);
    if (!python.waitForFinished(30000) || python.exitCode() != 0) return {};
    return python.readAllStandardOutput();
}

QString text(const QJsonValue& value) { return value.isNull() ? QString() : value.toString(); }

}  // namespace

class TestCueCorpus : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    QJsonArray expected_;

private slots:
    void initTestCase()
    {
        if (!QFileInfo::exists(QDir(Corpus).filePath("expect.py")))
            QSKIP(qPrintable("no corpus of CUE sheets at " + Corpus));
        QVERIFY(!runExpect({"materialize", folder_.path()}).isEmpty());
        expected_ = QJsonDocument::fromJson(runExpect({"json"})).array();
        QCOMPARE(expected_.size(), 40);
    }

    void readsAsExpected_data()
    {
        QTest::addColumn<QJsonObject>("expected");
        for (const QJsonValue& sheet : expected_)
            QTest::newRow(qPrintable(sheet["sheet"].toString())) << sheet.toObject();
    }

    void readsAsExpected()
    {
        QFETCH(QJsonObject, expected);
        const QString name = expected["sheet"].toString();
        const QString sheet = QDir(folder_.path()).filePath(name.left(2) + "/" + name);
        const FileTracks read = readTrackFiles({sheet.toStdString()}, WavHeaderReader());
        const QJsonArray tracks = expected["tracks"].toArray();

        // A sound track with no INDEX 01 in any FILE (a sheet without FILE lines, a start that is no
        // time) leaves nothing to play: the sheet is refused, never read with made-up starts.
        const bool playable = std::all_of(tracks.begin(), tracks.end(),
                                          [](const QJsonValue& track) { return !track["start_frames"].isNull(); });
        if (!playable) {
            QVERIFY(std::holds_alternative<UnreadableFiles>(read));
            QCOMPARE(std::get<UnreadableFiles>(read).files.at(0).problem, FileProblem::NotACueSheet);
            return;
        }
        if (const auto* unreadable = std::get_if<UnreadableFiles>(&read))
            QFAIL(qPrintable(QString::fromStdString(unreadable->files.at(0).name) + ": " +
                             QString::fromStdString(fileProblemText(unreadable->files.at(0).problem))));
        QVERIFY(std::holds_alternative<TrackList>(read));
        const TrackList& list = std::get<TrackList>(read);
        QCOMPARE(QString::fromStdString(list.album), text(expected["disc"].toObject()["title"]));
        QCOMPARE(QString::fromStdString(list.artist), text(expected["disc"].toObject()["performer"]));
        QCOMPARE(qsizetype(list.tracks.size()), tracks.size());

        for (qsizetype i = 0; i < tracks.size(); ++i) {
            const QJsonObject want = tracks[i].toObject();
            const Track& got = list.tracks[std::size_t(i)];
            const QString where = name + " track " + QString::number(want["number"].toInt());
            QVERIFY2(qAbs(got.milliseconds - want["length_ms_materialized"].toInteger()) <= 1, qPrintable(where));
            QCOMPARE(QString::fromStdString(got.title), text(want["title"]));
            QCOMPARE(QString::fromStdString(got.artist), text(want["performer_effective"]));

            // The part of the file a player plays for it.
            QString file;
            for (const QJsonValue& f : expected["files"].toArray())
                if (f["name"] == want["file"]) file = f["materialized_as"].toString();
            QCOMPARE(got.audio.kind, AudioSource::Kind::File);
            QCOMPARE(QDir::cleanPath(QString::fromStdString(got.audio.path)),
                     QDir::cleanPath(QFileInfo(sheet).dir().filePath(file)));
            QCOMPARE(got.audio.startFrame, want["start_frames"].toInteger());
            const qint64 end = want["length_frames"].isNull()
                                   ? -1
                                   : want["start_frames"].toInteger() + want["length_frames"].toInteger();
            QCOMPARE(got.audio.endFrame, end);
        }
    }
};

QTEST_APPLESS_MAIN(TestCueCorpus)
#include "test_cue_corpus.moc"
