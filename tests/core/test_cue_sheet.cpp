// CUE sheets read from their bytes, and the track lengths they give with the lengths of their files.

#include <QtTest>

#include <map>

#include "core/cue_sheet.h"

using namespace vantoli;

Q_DECLARE_METATYPE(vantoli::CueSheetError)

namespace {

// The sheet as lines: "disc: title / performer", then per track "file @frames: title / performer".
QStringList described(const std::variant<CueSheet, CueSheetError>& parsed)
{
    if (const auto* error = std::get_if<CueSheetError>(&parsed)) return {"error " + QString::number(int(*error))};
    const CueSheet& sheet = std::get<CueSheet>(parsed);
    QStringList lines{"disc: " + QString::fromStdString(sheet.title) + " / " + QString::fromStdString(sheet.performer)};
    for (const CueTrack& track : sheet.tracks)
        lines << QString::fromStdString(track.file) + " @" + QString::number(track.start) + ": " +
                     QString::fromStdString(track.title) + " / " + QString::fromStdString(track.performer);
    return lines;
}

QString errorLine(CueSheetError error) { return "error " + QString::number(int(error)); }

const QByteArray SingleFile =
    "REM GENRE Pop\r\n"
    "REM COMMENT \"ExactAudioCopy v1.6\"\r\n"
    "PERFORMER \"The Band\"\r\n"
    "TITLE \"First Album\"\r\n"
    "FILE \"First Album.wav\" WAVE\r\n"
    "  TRACK 01 AUDIO\r\n"
    "    TITLE \"Opening\"\r\n"
    "    INDEX 01 00:00:00\r\n"
    "  TRACK 02 AUDIO\r\n"
    "    TITLE \"Second\"\r\n"
    "    PERFORMER \"Guest\"\r\n"
    "    FLAGS DCP\r\n"
    "    INDEX 00 04:10:00\r\n"
    "    INDEX 01 04:12:30\r\n"
    "  TRACK 03 AUDIO\r\n"
    "    TITLE \"Closing\"\r\n"
    "    ISRC JPX000000001\r\n"
    "    INDEX 01 07:00:74\r\n";

// Exact Audio Copy's layout with the gaps left at the end of the track before: the FILE of a track
// stands between its INDEX 00 (still in the last file) and its INDEX 01.
const QByteArray GapsAppended =
    "FILE \"01 One.flac\" WAVE\n"
    "  TRACK 01 AUDIO\n"
    "    TITLE \"One\"\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    TITLE \"Two\"\n"
    "    INDEX 00 03:58:20\n"
    "FILE \"02 Two.flac\" WAVE\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 03 AUDIO\n"
    "    TITLE \"Three\"\n"
    "FILE \"03 Three.flac\" WAVE\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 04 AUDIO\n"
    "    TITLE \"Three, reprise\"\n"
    "    INDEX 01 01:00:00\n";

// "表", "ソ" and "能" in Shift-JIS all end in 0x5C, a backslash in ASCII, just before the quote.
const QByteArray ShiftJisSheet =
    "PERFORMER \"\x83\x5C\x83\x8C\x83\x8D\"\r\n"  // ソレロ
    "TITLE \"\x95\x5C\"\r\n"                      // 表
    "FILE \"\x83\x5C.wav\" WAVE\r\n"              // ソ.wav
    "  TRACK 01 AUDIO\r\n"
    "    TITLE \"\x94\x5C\"\r\n"              // 能
    "    PERFORMER \"\x95\x5C\x83\x5C\"\r\n"  // 表ソ
    "    INDEX 01 00:00:00\r\n"
    "  TRACK 02 AUDIO\r\n"
    "    TITLE \"\x83\x5C\x94\x5C\x95\x5C\"\r\n"  // ソ能表
    "    INDEX 01 02:00:00\r\n";

QByteArray tracksSheet(int count)
{
    QByteArray sheet = "FILE \"a.wav\" WAVE\n";
    for (int i = 1; i <= count; ++i)
        sheet += "TRACK " + QByteArray::number(i) + " AUDIO\nINDEX 01 " + QByteArray::number(i) + ":00:00\n";
    return sheet;
}

}  // namespace

class TestCueSheet : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("sheet");
        QTest::newRow("one file for the disc") << SingleFile << QStringList{
            "disc: First Album / The Band",
            "First Album.wav @0: Opening / ",
            "First Album.wav @18930: Second / Guest",
            "First Album.wav @31574: Closing / "};
        QTest::newRow("gaps appended to the track before") << GapsAppended << QStringList{
            "disc:  / ", "01 One.flac @0: One / ", "02 Two.flac @0: Two / ", "03 Three.flac @0: Three / ",
            "03 Three.flac @4500: Three, reprise / "};
        QTest::newRow("Shift-JIS with trail bytes 0x5C") << ShiftJisSheet << QStringList{
            "disc: 表 / ソレロ", "ソ.wav @0: 能 / 表ソ", "ソ.wav @9000: ソ能表 / "};
        QTest::newRow("UTF-8 with a byte-order mark")
            << QByteArray("\xEF\xBB\xBFTITLE \"表\"\nFILE \"表.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n")
            << QStringList{"disc: 表 / ", "表.flac @0:  / "};
        QTest::newRow("backslashes and quotes in values")
            << QByteArray("FILE \"rips\\disc 1\\a.wav\" WAVE\nTRACK 01 AUDIO\nTITLE \"Say \"Hi\"\\\"\nINDEX 01 00:00:00\n")
            << QStringList{"disc:  / ", "rips\\disc 1\\a.wav @0: Say \"Hi\"\\ / "};
        QTest::newRow("values without quotes, lower case, tabs")
            << QByteArray("title Best Of\nfile album.flac FLAC\n\ttrack 1 audio\n\tperformer Some One\n\tindex 1 0:2:5\n")
            << QStringList{"disc: Best Of / ", "album.flac @155:  / Some One"};
        QTest::newRow("file types other than WAVE")
            << QByteArray("FILE \"a.flac\" FLAC\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                          "FILE \"b.m4a\" AAC\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n")
            << QStringList{"disc:  / ", "a.flac @0:  / ", "b.m4a @0:  / "};
        QTest::newRow("other commands and track modes")
            << QByteArray("CATALOG 4988000000000\nCDTEXTFILE \"x.cdt\"\nSONGWRITER \"S\"\nFILE \"d.bin\" BINARY\n"
                          "TRACK 01 MODE1/2352\nINDEX 01 00:00:00\nTRACK 02 CDG\nPREGAP 00:02:00\n"
                          "INDEX 01 10:00:00\nPOSTGAP 00:02:00\nUNKNOWN COMMAND\n")
            << QStringList{"disc:  / ", "d.bin @0:  / ", "d.bin @45000:  / "};
        QTest::newRow("minutes past 99") << QByteArray("FILE \"long.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                                                       "TRACK 02 AUDIO\nINDEX 01 120:00:00\n")
                                         << QStringList{"disc:  / ", "long.wav @0:  / ", "long.wav @540000:  / "};
        // 0xE9 0x22 is neither UTF-8 nor Shift-JIS: the times must still read.
        QTest::newRow("Windows-1252") << QByteArray("TITLE \"Caf\xE9\"\nFILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:01\n")
                                      << QStringList{"disc: Café / ", "a.wav @1:  / "};
        const QString sheet16 = "FILE a\nTRACK 1\nINDEX 1 0:1:2";  // little-endian on the machines we build for
        QTest::newRow("UTF-16 with a byte-order mark")
            << "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(sheet16.utf16()), sheet16.size() * 2)
            << QStringList{"disc:  / ", "a @77:  / "};
        QTest::newRow("99 tracks") << tracksSheet(99) << QStringList();  // checked below by count
        QTest::newRow("100 tracks") << tracksSheet(100) << QStringList{errorLine(CueSheetError::TooManyTracks)};
        QTest::newRow("binary") << QByteArray("\x00\x01\xFF\xFE\x81\x00garbage", 11)
                                << QStringList{errorLine(CueSheetError::NotText)};
        QTest::newRow("NUL inside text") << QByteArray("FILE \"a.wav\" WAVE\n\x00TRACK 01 AUDIO\n", 33)
                                         << QStringList{errorLine(CueSheetError::NotText)};
        QTest::newRow("no track") << QByteArray("TITLE \"x\"\nFILE \"a.wav\" WAVE\n")
                                  << QStringList{errorLine(CueSheetError::NotASheet)};
        QTest::newRow("prose") << QByteArray("This is no cue sheet at all.\n")
                               << QStringList{errorLine(CueSheetError::NotASheet)};
        QTest::newRow("track without INDEX 01")
            << QByteArray("FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 00 00:00:00\nTRACK 02 AUDIO\nINDEX 01 01:00:00\n")
            << QStringList{errorLine(CueSheetError::NotASheet)};
        QTest::newRow("INDEX before any FILE") << QByteArray("TRACK 01 AUDIO\nINDEX 01 00:00:00\n")
                                               << QStringList{errorLine(CueSheetError::NotASheet)};
        QTest::newRow("INDEX before any TRACK") << QByteArray("FILE \"a.wav\" WAVE\nINDEX 01 00:00:00\n")
                                                << QStringList{errorLine(CueSheetError::NotASheet)};
        QTest::newRow("starts running backwards")
            << QByteArray("FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 02:00:00\nTRACK 02 AUDIO\nINDEX 01 01:00:00\n")
            << QStringList{errorLine(CueSheetError::NotASheet)};
        QTest::newRow("seconds out of range")
            << QByteArray("FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:61:00\n")
            << QStringList{errorLine(CueSheetError::NotASheet)};
        QTest::newRow("frames out of range")
            << QByteArray("FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:75\n")
            << QStringList{errorLine(CueSheetError::NotASheet)};
        QTest::newRow("unterminated quote") << QByteArray("FILE \"a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n")
                                            << QStringList{"disc:  / ", "a.wav WAVE @0:  / "};
    }
    // clang-format on
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, sheet);
        const auto parsed = parseCueSheet(bytes.toStdString());
        if (sheet.isEmpty()) {
            QVERIFY(std::holds_alternative<CueSheet>(parsed));
            QCOMPARE(std::get<CueSheet>(parsed).tracks.size(), std::size_t(99));
            QCOMPARE(std::get<CueSheet>(parsed).tracks.back().start, 99 * 60 * CueFramesPerSecond);
            return;
        }
        QCOMPARE(described(parsed), sheet);
    }

    void longTitlesAreCutAtACharacter()
    {
        QByteArray title;
        for (int i = 0; i < 200; ++i) title += "表";  // 600 bytes
        const auto parsed = parseCueSheet(
            ("FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nTITLE \"" + title + "\"\nINDEX 01 00:00:00\n").toStdString());
        QVERIFY(std::holds_alternative<CueSheet>(parsed));
        const std::string& kept = std::get<CueSheet>(parsed).tracks.at(0).title;
        QVERIFY(kept.size() <= 255 && kept.size() >= 250);
        QCOMPARE(QString::fromStdString(kept), QString::fromUtf8(title).left(int(kept.size() / 3)));
    }

    void rawFilesAreKnown()
    {
        const auto parsed = parseCueSheet(
            "FILE \"d.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
            "FILE \"e.wav\" WAVE\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n");
        QVERIFY(std::holds_alternative<CueSheet>(parsed));
        QCOMPARE(std::get<CueSheet>(parsed).rawFiles, std::vector<std::string>{"d.bin"});
        QCOMPARE(cueFiles(std::get<CueSheet>(parsed)), (std::vector<std::string>{"d.bin", "e.wav"}));
    }

    // clang-format off
    void lengths_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("files");          // "name=milliseconds"
        QTest::addColumn<QList<qint64>>("milliseconds");  // empty when it fails
        QTest::addColumn<QString>("fault");
        QTest::newRow("one file") << SingleFile << QStringList{"First Album.wav=600000"}
                                  << QList<qint64>{252400, 168586, 179014} << QString();
        QTest::newRow("file per track") << GapsAppended
                                        << QStringList{"01 One.flac=238267", "02 Two.flac=180000", "03 Three.flac=90500"}
                                        << QList<qint64>{238267, 180000, 60000, 30500} << QString();
        QTest::newRow("last track starts at the file's end") << SingleFile << QStringList{"First Album.wav=420986"}
                                                              << QList<qint64>{} << "First Album.wav";
        // An enhanced CD ripped to files: the data track's only INDEX lies in the last sound file.
        QTest::newRow("data track inside the last file")
            << QByteArray("FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 01:00:00\n"
                          "TRACK 03 MODE1/2352\nINDEX 00 03:00:00\n")
            << QStringList{"a.wav=900000"} << QList<qint64>{60000, 120000} << QString();
        QTest::newRow("file shorter than a track's start") << GapsAppended
                                        << QStringList{"01 One.flac=238267", "02 Two.flac=180000", "03 Three.flac=59000"}
                                        << QList<qint64>{} << "03 Three.flac";
    }
    // clang-format on
    void lengths()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, files);
        QFETCH(QList<qint64>, milliseconds);
        QFETCH(QString, fault);
        const auto parsed = parseCueSheet(bytes.toStdString());
        QVERIFY(std::holds_alternative<CueSheet>(parsed));
        std::map<std::string, std::int64_t> fileLengths;
        for (const QString& file : files)
            fileLengths[file.section('=', 0, 0).toStdString()] = file.section('=', 1).toLongLong();

        const auto list =
            cueTrackList(std::get<CueSheet>(parsed), [&](const std::string& file) { return fileLengths.at(file); });
        if (!fault.isEmpty()) {
            QVERIFY(std::holds_alternative<std::string>(list));
            QCOMPARE(QString::fromStdString(std::get<std::string>(list)), fault);
            return;
        }
        QVERIFY(std::holds_alternative<TrackList>(list));
        QList<qint64> got;
        for (const Track& track : std::get<TrackList>(list).tracks) got << track.milliseconds;
        QCOMPARE(got, milliseconds);
    }

    void titlesTravelIntoTheTrackList()
    {
        const auto parsed = parseCueSheet(SingleFile.toStdString());
        const auto list = cueTrackList(std::get<CueSheet>(parsed), [](const std::string&) { return 600000; });
        QVERIFY(std::holds_alternative<TrackList>(list));
        const TrackList& tracks = std::get<TrackList>(list);
        QCOMPARE(tracks.album, std::string("First Album"));
        QCOMPARE(tracks.artist, std::string("The Band"));
        // A track without its own performer is the disc's. Its sound is the part of the file from its
        // INDEX 01 to the next one (the next track's gap, INDEX 00, played with it), the last to the end.
        const auto part = [](std::int64_t start, std::int64_t end) {
            return AudioSource{AudioSource::Kind::File, "First Album.wav", start, end, 0};
        };
        QCOMPARE(tracks.tracks.at(0), (Track{252400, "Opening", "The Band", part(0, 18930)}));
        QCOMPARE(tracks.tracks.at(1), (Track{168586, "Second", "Guest", part(18930, 31574)}));
        QCOMPARE(tracks.tracks.at(2).audio, part(31574, -1));
    }
};

QTEST_APPLESS_MAIN(TestCueSheet)
#include "test_cue_sheet.moc"
