// Reading tracks from what the user chooses or drops: audio files of every format the encoders make,
// folders, playlists and CUE sheets, all written by the test into a temporary folder and read with
// TagLib. Includes the items that must end in a message at once: a huge playlist, a named pipe, a
// folder of 100,000 files, a binary file named .cue.

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/track_caption.h"
#include "device/read_files.h"
#include "device/taglib_reader.h"
#include "support/audio_files.h"
#include "support/disc_image.h"

using namespace vantoli;
using namespace vantoli::test;

Q_DECLARE_METATYPE(vantoli::test::Encoder)

namespace {

// TagLib through a counter: how many files were actually opened.
class CountingReader final : public AudioFileReader {
public:
    std::optional<AudioFileTags> read(const std::string& path) const override
    {
        ++reads;
        return taglib.read(path);
    }
    mutable int reads = 0;

private:
    TagLibReader taglib;
};

// The result as lines: the list's "album / artist", then "entry text title / artist" per track; or
// "list: name (problem)" per unreadable item; or "too many N".
QStringList described(const FileTracks& result)
{
    if (const auto* tooMany = std::get_if<TooManyFileTracks>(&result))
        return {"too many " + QString::number(tooMany->atLeast)};
    QStringList lines;
    if (const auto* unreadable = std::get_if<UnreadableFiles>(&result)) {
        for (const UnreadableFile& file : unreadable->files)
            lines << QString::fromStdString(file.list) + ": " + QString::fromStdString(file.name) + " (" +
                         QString::fromStdString(fileProblemText(file.problem)) + ")";
        return lines;
    }
    const TrackList& list = std::get<TrackList>(result);
    lines << QString::fromStdString(list.album) + " / " + QString::fromStdString(list.artist);
    for (const Track& track : list.tracks)
        lines << QString::fromStdString(trackEntryText(track)) + " " + QString::fromStdString(track.title) + " / " +
                     QString::fromStdString(track.artist);
    return lines;
}

std::vector<std::string> paths(const QStringList& list)
{
    std::vector<std::string> out;
    for (const QString& path : list) out.push_back(path.toStdString());
    return out;
}

FileTracks read(const QStringList& items) { return readTrackFiles(paths(items), TagLibReader()); }

// A WAV file of whole milliseconds (44.1 kHz, so every 10 ms is a whole number of frames).
QString wav(const QString& folder, const QString& name, std::int64_t milliseconds)
{
    return writeWav(folder, name, framesOf(milliseconds));
}

QString sub(const QString& folder, const QString& name)
{
    QDir(folder).mkpath(name);
    return QDir(folder).filePath(name);
}

}  // namespace

class TestTrackFiles : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void readsEveryFormat_data()
    {
        QTest::addColumn<Encoder>("encoder");
        QTest::addColumn<qint64>("milliseconds");
        QTest::newRow("FLAC") << Encoder::Flac << qint64(4400);
        QTest::newRow("MP3") << Encoder::Mp3 << qint64(6300);
        QTest::newRow("Ogg Vorbis") << Encoder::Vorbis << qint64(3300);
        QTest::newRow("Opus") << Encoder::Opus << qint64(5400);
    }
    // clang-format on
    void readsEveryFormat()
    {
        QFETCH(Encoder, encoder);
        QFETCH(qint64, milliseconds);
        QTemporaryDir folder;
        const QString file = writeEncoded(encoder, folder.path(), "track." + extensionOf(encoder), milliseconds,
                                          {"曲名「表ソ能」", "アーティスト", "アルバム"});
        QVERIFY2(!file.isEmpty(), "the encoder failed");

        const FileTracks result = read({file});
        QVERIFY(std::holds_alternative<TrackList>(result));
        const TrackList& list = std::get<TrackList>(result);
        QCOMPARE(list.tracks.size(), std::size_t(1));
        // Encoders pad the end a little; the whole seconds stay.
        QVERIFY2(std::abs(list.tracks[0].milliseconds - milliseconds) < 150,
                 qPrintable(QString::number(list.tracks[0].milliseconds)));
        QCOMPARE(list.tracks[0].title, std::string("曲名「表ソ能」"));
        QCOMPARE(list.tracks[0].artist, std::string("アーティスト"));
        QCOMPARE(list.album, std::string("アルバム"));
        QCOMPARE(list.artist, std::string("アーティスト"));
    }

    // clang-format off
    void readsExactLengths_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<QString>("entry");
        QTest::newRow("WAV 4:31.9") << "wav" << qint64(271900) << "431";
        QTest::newRow("WAV 59.99 s") << "wav" << qint64(59990) << "59";
        QTest::newRow("WAV one hour") << "wav" << qint64(3600000) << "6000";
        QTest::newRow("AIFF 3:00.5") << "aiff" << qint64(180500) << "300";
        QTest::newRow("AIFF 12:05") << "aiff" << qint64(725000) << "1205";
    }
    // clang-format on
    void readsExactLengths()
    {
        QFETCH(QString, kind);
        QFETCH(qint64, milliseconds);
        QFETCH(QString, entry);
        QTemporaryDir folder;
        const QString file = kind == "wav" ? writeWav(folder.path(), "a.wav", framesOf(milliseconds))
                                           : writeAiff(folder.path(), "a.aiff", framesOf(milliseconds));
        QVERIFY(!file.isEmpty());
        const FileTracks result = read({file});
        QVERIFY(std::holds_alternative<TrackList>(result));
        QCOMPARE(std::get<TrackList>(result).tracks.at(0).milliseconds, std::int64_t(milliseconds));
        // A file without a title tag is called by its name.
        QCOMPARE(described(result), (QStringList{" / ", entry + " a / "}));
    }

    void aFolderIsItsAudioFilesInNaturalOrder()
    {
        QTemporaryDir folder;
        const QString album = sub(folder.path(), "album");
        for (const char* name : {"10 Ten.wav", "2 Two.wav", "1 One.wav"}) QVERIFY(!wav(album, name, 61000).isEmpty());
        QVERIFY(!writeAiff(album, "Bonus.AIFF", framesOf(61000)).isEmpty());
        QVERIFY(!wav(album, ".1 hidden.wav", 1000).isEmpty());
        QVERIFY(!writeTextFile(album, "notes.txt", "not audio").isEmpty());
        QVERIFY(!writeTextFile(album, "album.m3u", "1 One.wav\n").isEmpty());  // lists are not read here
        QVERIFY(!wav(sub(album, "extras"), "3 Three.wav", 1000).isEmpty());    // nor subfolders

        QCOMPARE(described(read({album})),
                 (QStringList{" / ", "101 1 One / ", "101 2 Two / ", "101 10 Ten / ", "101 Bonus / "}));
    }

    void chosenFilesAreTakenInNaturalOrder()
    {
        QTemporaryDir folder;
        QStringList chosen;
        for (const char* name : {"track10.wav", "Track9.wav", "track1.wav"}) chosen << wav(folder.path(), name, 2000);
        QCOMPARE(described(read(chosen)), (QStringList{" / ", "2 track1 / ", "2 Track9 / ", "2 track10 / "}));
    }

    void emptyFolderGivesNoTracks()
    {
        QTemporaryDir folder;
        QVERIFY(!writeTextFile(folder.path(), "readme.txt", "x").isEmpty());
        QCOMPARE(described(read({folder.path()})), QStringList{" / "});
    }

    void playlistKeepsItsOrderAndFindsItsEntries()
    {
        QTemporaryDir folder;
        const QString music = sub(folder.path(), "My Music");
        const QString lists = sub(folder.path(), "lists");
        QVERIFY(writeEncoded(Encoder::Flac, music, "b.flac", 2500, {"Tagged", "Band", "Album"}).size());
        const QString absolute = wav(music, "z absolute.wav", 3000);
        const QString url = wav(music, "url 表.wav", 4000);
        QVERIFY(!wav(music, "a relative.wav", 5000).isEmpty());
        QVERIFY(!absolute.isEmpty() && !url.isEmpty());

        const QByteArray playlist =
            "#EXTM3U\r\n"
            "#EXTINF:2,Ignored for a tagged file\r\n"
            "..\\My Music\\b.flac\r\n"
            "#EXTINF:5,From the playlist\r\n"
            "../My Music/a relative.wav\r\n" +
            absolute.toUtf8() + "\r\n" + QUrl::fromLocalFile(url).toEncoded() + "\r\n";
        const QString m3u8 = writeTextFile(lists, "mix.m3u8", playlist);
        QCOMPARE(described(read({m3u8})),
                 (QStringList{" / ", "2 Tagged / Band", "5 From the playlist / ", "3 z absolute / ", "4 url 表 / "}));
    }

    void shiftJisPlaylist()
    {
        QTemporaryDir folder;
        QVERIFY(!wav(folder.path(), "表ソ能.wav", 7000).isEmpty());
        // "#EXTINF:7,能" and "表ソ能.wav" in Shift-JIS.
        const QString m3u =
            writeTextFile(folder.path(), "list.m3u", "#EXTINF:7,\x94\x5C\r\n\x95\x5C\x83\x5C\x94\x5C.wav\r\n");
        QCOMPARE(described(read({m3u})), (QStringList{" / ", "7 能 / "}));
    }

    void playlistAllOrNothing()
    {
        QTemporaryDir folder;
        QVERIFY(!wav(folder.path(), "1.wav", 1000).isEmpty());
        QVERIFY(!writeTextFile(folder.path(), "inner.m3u", "1.wav\n").isEmpty());
        QVERIFY(!writeTextFile(folder.path(), "fake.mp3", "no audio here").isEmpty());
        QVERIFY(QDir(folder.path()).mkdir("folder.wav"));
        const QString m3u = writeTextFile(folder.path(), "outer.m3u",
                                          "1.wav\ngone.flac\ninner.m3u\nsheet.CUE\nfake.mp3\n"
                                          "http://radio.example/live.mp3\nfolder.wav\n1.wav\n");
        QCOMPARE(described(read({m3u})),
                 (QStringList{"outer.m3u: gone.flac (見つかりません)",
                              "outer.m3u: inner.m3u (プレイリストの中のプレイリストは読みません)",
                              "outer.m3u: sheet.CUE (プレイリストの中のプレイリストは読みません)",
                              "outer.m3u: fake.mp3 (音声ファイルとして読めません)",
                              "outer.m3u: http://radio.example/live.mp3 (このコンピューターのファイルではありません)",
                              "outer.m3u: folder.wav (通常のファイルではありません)"}));
    }

    void itemsThatCannotBeRead()
    {
        QTemporaryDir folder;
        const QString good = wav(folder.path(), "good.wav", 1000);
        // A FLAC file as a stream writes it: its header does not tell how many samples follow.
        const QString stream = writeEncoded(Encoder::Flac, folder.path(), "stream.flac", 1000);
        QFile flac(stream);
        QVERIFY(flac.open(QIODevice::ReadWrite));
        QByteArray bytes = flac.readAll();
        QVERIFY(bytes.startsWith("fLaC") && bytes.size() > 26);
        bytes[21] = char(bytes[21] & 0xF0);  // the 36 bits of the sample count: bytes 21 (low half) to 25
        for (int i = 22; i <= 25; ++i) bytes[i] = 0;
        QVERIFY(flac.seek(0) && flac.write(bytes) == bytes.size());
        flac.close();
        const QString binaryM3u8 = writeTextFile(folder.path(), "bad.m3u8", QByteArray("\x95\x5C\xFF\xFE", 4));
        const QString missing = QDir(folder.path()).filePath("missing.flac");
        QCOMPARE(described(read({good, stream, missing, binaryM3u8})),
                 (QStringList{": bad.m3u8 (プレイリストとして読めません)", ": missing.flac (見つかりません)",
                              ": stream.flac (長さがわかりません)"}));
    }

    void filesNamedByAChosenListAreNotCountedTwice()
    {
        QTemporaryDir folder;
        QStringList chosen;
        for (const char* name : {"01.wav", "02.wav", "03.wav"}) chosen << wav(folder.path(), name, 10000);
        chosen << writeTextFile(folder.path(), "album.m3u", "03.wav\n01.wav\n");
        QCOMPARE(described(read(chosen)), (QStringList{" / ", "10 02 / ", "10 03 / ", "10 01 / "}));
    }

    void cueSheetOfOneFile()
    {
        QTemporaryDir folder;
        QVERIFY(!wav(folder.path(), "Album.wav", 600000).isEmpty());
        const QString cue = writeTextFile(folder.path(), "Album.cue",
                                          "\xEF\xBB\xBFPERFORMER \"バンド\"\r\nTITLE \"アルバム\"\r\n"
                                          "FILE \"Album.wav\" WAVE\r\n"
                                          "  TRACK 01 AUDIO\r\n    TITLE \"一\"\r\n    INDEX 01 00:00:00\r\n"
                                          "  TRACK 02 AUDIO\r\n    TITLE \"二\"\r\n    PERFORMER \"ゲスト\"\r\n"
                                          "    INDEX 00 04:10:00\r\n    INDEX 01 04:12:30\r\n"
                                          "  TRACK 03 AUDIO\r\n    TITLE \"三\"\r\n    INDEX 01 07:00:74\r\n");
        QCOMPARE(described(read({cue})),
                 (QStringList{"アルバム / バンド", "412 一 / バンド", "248 二 / ゲスト", "259 三 / バンド"}));
    }

    void shiftJisCueSheetOfOneFilePerTrack()
    {
        QTemporaryDir folder;
        QVERIFY(writeEncoded(Encoder::Flac, folder.path(), "01.flac", 3200, {"tag title", "tag artist", ""}).size());
        QVERIFY(writeEncoded(Encoder::Flac, folder.path(), "02.flac", 4700).size());
        // The sheet was written for WAV files; the FLAC files made from them are found instead.
        const QString cue = writeTextFile(folder.path(), "disc.cue",
                                          "TITLE \"\x95\x5C\"\r\nPERFORMER \"\x83\x5C\"\r\n"
                                          "FILE \"01.wav\" WAVE\r\n  TRACK 01 AUDIO\r\n    TITLE \"\x94\x5C\"\r\n"
                                          "    INDEX 01 00:00:00\r\n"
                                          "  TRACK 02 AUDIO\r\n    TITLE \"\x83\x5C\x94\x5C\"\r\n"
                                          "    INDEX 00 00:03:00\r\n"
                                          "FILE \"02.wav\" WAVE\r\n    INDEX 01 00:00:00\r\n");
        QCOMPARE(described(read({cue})), (QStringList{"表 / ソ", "3 能 / ソ", "4 ソ能 / ソ"}));
    }

    void cueSheetOfADiscImage()
    {
        QTemporaryDir folder;
        const QString cue = writeDiscImage(folder.path(), audioTracks({243, 299, 219}, 74));
        QCOMPARE(described(read({cue})), (QStringList{" / ", "403  / ", "459  / ", "339  / "}));
    }

    void cueSheetThatCannotBeRead()
    {
        QTemporaryDir folder;
        QVERIFY(!wav(folder.path(), "short.wav", 60000).isEmpty());
        const QString past = writeTextFile(folder.path(), "past.cue",
                                           "FILE \"short.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                                           "TRACK 02 AUDIO\nINDEX 01 01:00:00\n");
        const QString missing = writeTextFile(folder.path(), "missing.cue",
                                              "FILE \"C:\\rips\\gone.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
        QByteArray noise;
        for (int i = 0; i < 4096; ++i) noise += char((i * 7919) % 256);
        const QString binary = writeTextFile(folder.path(), "binary.cue", noise);
        QCOMPARE(described(read({past, missing, binary})),
                 (QStringList{": binary.cue (CUEシートとして読めません)", "missing.cue: gone.wav (見つかりません)",
                              "past.cue: short.wav (CUEシートの位置がファイルの長さを超えています)"}));
    }

    void tooManyTracksAreNotRead()
    {
        QTemporaryDir folder;
        const QString many = sub(folder.path(), "many");
        for (int i = 1; i <= 120; ++i) QVERIFY(!wav(many, QString::number(i) + ".wav", 1000).isEmpty());
        CountingReader reader;
        QCOMPARE(described(readTrackFiles(paths({many}), reader)), QStringList{"too many 120"});
        QCOMPARE(reader.reads, 0);

        QByteArray sheet = "FILE \"a.wav\" WAVE\n";
        for (int i = 1; i <= 100; ++i)
            sheet += "TRACK " + QByteArray::number(i) + " AUDIO\nINDEX 01 " + QByteArray::number(i) + ":00:00\n";
        const QString cue = writeTextFile(folder.path(), "hundred.cue", sheet);
        QCOMPARE(described(readTrackFiles(paths({cue}), reader)), QStringList{"too many 100"});
        QCOMPARE(reader.reads, 0);
    }

    void ninetyNineTracksAreRead()
    {
        QTemporaryDir folder;
        for (int i = 1; i <= 99; ++i) QVERIFY(!wav(folder.path(), QString::number(i) + ".wav", 2000).isEmpty());
        const FileTracks result = read({folder.path()});
        QVERIFY(std::holds_alternative<TrackList>(result));
        QCOMPARE(std::get<TrackList>(result).tracks.size(), std::size_t(99));
        QCOMPARE(std::get<TrackList>(result).tracks.back().title, std::string("99"));
    }

    // Items that a careless reader would hang on, fill memory with, or crash on.
    void hostileItemsEndInAMessage()
    {
        QTemporaryDir folder;
        // A playlist of a gigabyte (sparse: it takes no disk space).
        QFile huge(QDir(folder.path()).filePath("huge.m3u"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 30));
        huge.close();
        // Named pipes with a playlist's and an audio file's name: nobody ever writes to them.
        const QByteArray pipeList = QDir(folder.path()).filePath("pipe.m3u").toLocal8Bit();
        const QByteArray pipeAudio = QDir(folder.path()).filePath("pipe.flac").toLocal8Bit();
        QCOMPARE(::mkfifo(pipeList.constData(), 0600), 0);
        QCOMPARE(::mkfifo(pipeAudio.constData(), 0600), 0);
        const QString pipeInList = writeTextFile(folder.path(), "names a pipe.m3u8", "pipe.flac\n");

        QCOMPARE(described(read({huge.fileName(), QString::fromLocal8Bit(pipeList), QString::fromLocal8Bit(pipeAudio),
                                 pipeInList})),
                 (QStringList{": huge.m3u (大きすぎます)",
                              "names a pipe.m3u8: pipe.flac (通常のファイルではありません)",
                              ": pipe.flac (通常のファイルではありません)",
                              ": pipe.m3u (通常のファイルではありません)"}));
    }

    void folderOfAHundredThousandFiles()
    {
        // In memory where the machine has a tmpfs: a hundred thousand files on a busy disk take long.
        const QString memory = QStringLiteral("/dev/shm");
        QTemporaryDir folder(QFileInfo(memory).isDir() && QFileInfo(memory).isWritable()
                                 ? memory + QStringLiteral("/vantoli-test-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/vantoli-test-XXXXXX"));
        QVERIFY(folder.isValid());
        const QString crowd = sub(folder.path(), "crowd");
        const QByteArray base = (crowd + "/").toLocal8Bit();
        for (int i = 0; i < 100000; ++i) {
            const QByteArray name = base + QByteArray::number(i) + (i % 2 ? ".wav" : ".txt");
            const int fd = ::open(name.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
            QVERIFY(fd >= 0);
            ::close(fd);
        }
        CountingReader reader;
        QCOMPARE(described(readTrackFiles(paths({crowd}), reader)),
                 QStringList{": crowd (フォルダーの中のファイルが多すぎます)"});
        QCOMPARE(reader.reads, 0);
    }

    // A streaming playlist gives titles, artists and lengths but no sound; a row without a length
    // makes the read fail like an audio file whose length cannot be told.
    void streamingPlaylistCsv()
    {
        QTemporaryDir folder;
        const QString csv = writeTextFile(folder.path(), "mix.csv",
                                          "\xEF\xBB\xBFTrack Name,Artist Name(s),Album Name,Track Duration (ms)\r\n"
                                          "\"One, Two\",A,LP,61500\r\nThree,\"B,C\",LP,120000\r\n");
        const FileTracks result = read({csv});
        QCOMPARE(described(result), (QStringList{"LP / ", "101 One, Two / A", "200 Three / B, C"}));
        QCOMPARE(std::get<TrackList>(result).tracks[0].audio.kind, AudioSource::Kind::None);

        const QString broken = writeTextFile(folder.path(), "broken.csv", "Track Name,Duration (ms)\nGone,\n");
        QCOMPARE(described(read({broken})), QStringList{"broken.csv: Gone (長さがわかりません)"});
        const QString noList = writeTextFile(folder.path(), "sales.csv", "Date,Amount\n2023,5\n");
        QCOMPARE(described(read({noList})), QStringList{": sales.csv (プレイリストとして読めません)"});
    }

};

QTEST_GUILESS_MAIN(TestTrackFiles)
#include "test_read_files.moc"
