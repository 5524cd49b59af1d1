// Disc images read through their CUE sheets as a drive reads the disc: the dumps of games in the
// corpus of real sheets (a BIN file per track under Redump's names, gaps at the start of each file,
// data tracks) with BIN files of chosen sizes, and every way an image can fail, each with its file.

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "device/disc_image.h"
#include "support/disc_image.h"

using namespace vantoli;
using namespace vantoli::test;

Q_DECLARE_METATYPE(vantoli::DiscImageProblem)

namespace {

const QString Corpus = QStringLiteral(VANTOLI_CUE_CORPUS_DIR);

bool writeBin(const QString& folder, const QString& name, qint64 sectors)
{
    QFile bin(QDir(folder).filePath(name));
    return bin.open(QIODevice::WriteOnly) && bin.resize(sectors * RawSectorBytes);
}

constexpr qint64 at(int minutes, int seconds, int frames) { return (minutes * 60 + seconds) * 75 + frames; }

}  // namespace

class TestDiscImage : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void readsDumpsOfRealDiscs_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QList<qint64>>("binSectors");    // per FILE, in the sheet's order
        QTest::addColumn<QList<qint64>>("trackSectors");  // what a drive would report
        // Track N's gap of 2 s lies at the start of its own file, and on the disc after track N - 1.
        QTest::newRow("Tekken 3: data, then two audio BINs") << "37-game-psx-redump-tekken3.cue"
            << QList<qint64>{20000, 3000, 4000} << QList<qint64>{20150, 3000, 3850};
        QTest::newRow("Resident Evil 2: six BINs, data between audio") << "36-game-dreamcast-redump-re2.cue"
            << QList<qint64>{10000, 1000, 20000, 2000, 3000, 5000}
            << QList<qint64>{10150, 850, 20150, 2000, 3075, 4775};
        QTest::newRow("Winning Eleven 2002: one BIN") << "38-game-psx-single-bin-we2002.cue"
            << QList<qint64>{at(45, 0, 0)}
            << QList<qint64>{at(29, 0, 32), at(31, 18, 14) - at(29, 0, 32), at(31, 29, 56) - at(31, 18, 14),
                             at(33, 50, 56) - at(31, 29, 56), at(36, 11, 27) - at(33, 50, 56),
                             at(38, 27, 67) - at(36, 11, 27), at(38, 41, 71) - at(38, 27, 67),
                             at(41, 43, 59) - at(38, 41, 71), at(45, 0, 0) - at(41, 43, 59)};
    }
    // clang-format on
    void readsDumpsOfRealDiscs()
    {
        QFETCH(QString, sheet);
        QFETCH(QList<qint64>, binSectors);
        QFETCH(QList<qint64>, trackSectors);
        QFile original(QDir(Corpus).filePath(sheet));
        if (!original.open(QIODevice::ReadOnly)) QSKIP(qPrintable("no corpus of CUE sheets at " + Corpus));
        const QByteArray text = original.readAll();
        QTemporaryDir folder;
        // The image under another name than its BIN files, as dumps come.
        const QString cue = writeTextFile(folder.path(), "dump.cue", text);
        qsizetype i = 0;
        for (const QByteArray& line : text.split('\n'))
            if (line.startsWith("FILE \""))
                QVERIFY(writeBin(folder.path(), QString::fromUtf8(line.mid(6, line.lastIndexOf('"') - 6)),
                                 binSectors.at(i++)));

        const auto read = readDiscImage(cue.toStdString());
        QVERIFY(std::holds_alternative<TrackList>(read));
        const TrackList& tracks = std::get<TrackList>(read);
        QCOMPARE(qsizetype(tracks.tracks.size()), trackSectors.size());
        for (qsizetype t = 0; t < trackSectors.size(); ++t) {
            const Track& track = tracks.tracks[std::size_t(t)];
            QCOMPARE(track.milliseconds, std::int64_t(millisecondsOf(int(trackSectors[t]))));
            QCOMPARE(track.audio, (AudioSource{AudioSource::Kind::CdTrack, cue.toStdString(), 0, -1, int(t + 1)}));
        }
    }

    // clang-format off
    void saysWhatIsWrong_data()
    {
        QTest::addColumn<QByteArray>("sheet");  // written as "image.cue" unless empty
        QTest::addColumn<QString>("open");
        QTest::addColumn<DiscImageProblem>("problem");
        const QByteArray redump = "FILE \"Game (Track 1).bin\" BINARY\n  TRACK 01 MODE2/2352\n    INDEX 01 00:00:00\n"
                                  "FILE \"Game (Track 2).bin\" BINARY\n  TRACK 02 AUDIO\n    INDEX 00 00:00:00\n"
                                  "    INDEX 01 00:02:00\n";
        QTest::newRow("no such file") << QByteArray() << "gone.cue" << DiscImageProblem{DiscImageFault::Missing, "gone.cue"};
        QTest::newRow("a BIN file missing") << redump << "image.cue"
                                            << DiscImageProblem{DiscImageFault::FileMissing, "Game (Track 2).bin"};
        QTest::newRow("a BIN file named by a Windows path")
            << QByteArray("FILE \"C:\\dumps\\Other.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n") << "image.cue"
            << DiscImageProblem{DiscImageFault::FileMissing, "Other.bin"};
        QTest::newRow("a BIN file shorter than the sheet")
            << QByteArray("FILE \"Game (Track 1).bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                          "TRACK 02 AUDIO\nINDEX 01 70:00:00\n") << "image.cue"
            << DiscImageProblem{DiscImageFault::FileTooShort, "Game (Track 1).bin"};
        QTest::newRow("a BIN file by itself") << QByteArray() << "Game (Track 1).bin"
                                              << DiscImageProblem{DiscImageFault::NotAnImage, "Game (Track 1).bin"};
        QTest::newRow("a playlist") << QByteArray("#EXTM3U\nGame (Track 1).bin\n") << "image.cue"
                                    << DiscImageProblem{DiscImageFault::NotAnImage, "image.cue"};
        QTest::newRow("a sheet of audio files")
            << QByteArray("FILE \"Game (Track 1).bin\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n") << "image.cue"
            << DiscImageProblem{DiscImageFault::NotAnImage, "image.cue"};
        QTest::newRow("a mode no disc has")
            << QByteArray("FILE \"Game (Track 1).bin\" BINARY\nTRACK 01 VINYL\nINDEX 01 00:00:00\n") << "image.cue"
            << DiscImageProblem{DiscImageFault::NotAnImage, "image.cue"};
        QTest::newRow("a folder") << QByteArray() << "sub" << DiscImageProblem{DiscImageFault::NotAnImage, "sub"};
        QByteArray hundred = "FILE \"Game (Track 1).bin\" BINARY\n";
        for (int t = 1; t <= 100; ++t) hundred += "TRACK " + QByteArray::number(t) + " AUDIO\nINDEX 01 00:" +
                                                  QByteArray::number(t / 75).rightJustified(2, '0') + ":" +
                                                  QByteArray::number(t % 75).rightJustified(2, '0') + "\n";
        QTest::newRow("100 tracks") << hundred << "image.cue" << DiscImageProblem{DiscImageFault::TooManyTracks, "image.cue"};
    }
    // clang-format on
    void saysWhatIsWrong()
    {
        QFETCH(QByteArray, sheet);
        QFETCH(QString, open);
        QFETCH(DiscImageProblem, problem);
        QTemporaryDir folder;
        QVERIFY(writeBin(folder.path(), "Game (Track 1).bin", 60 * SectorsPerSecond));
        QVERIFY(QDir(folder.path()).mkdir("sub"));
        if (!sheet.isEmpty()) QVERIFY(!writeTextFile(folder.path(), "image.cue", sheet).isEmpty());
        const auto read = readDiscImage(QDir(folder.path()).filePath(open).toStdString());
        QVERIFY(std::holds_alternative<DiscImageProblem>(read));
        QCOMPARE(std::get<DiscImageProblem>(read), problem);
    }
};

QTEST_APPLESS_MAIN(TestDiscImage)
#include "test_disc_image.moc"
