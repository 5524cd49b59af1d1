// The tape document's text: every member survives a save and an open, paths follow the document,
// and a document that cannot be read gives the error that names why.

#include <QtTest>

#include <string>
#include <variant>

#include "core/tape_document.h"

using namespace vantoli;

Q_DECLARE_METATYPE(DocumentError::Kind)

namespace {

// A document with every member away from its default, so that a member lost on the way shows.
TapeDocument fullDocument()
{
    TapeDocument d;
    d.sources = {"/music/album", "/elsewhere/list.m3u8"};
    d.entries = {"431", "", "1205"};
    d.tracks.album = "アルバム";
    d.tracks.artist = "歌手";
    d.tracks.tracks = {
        Track{271'500, "一曲目", "A", AudioSource{AudioSource::Kind::File, "/music/album/01 一.flac", 0, -1, 0}},
        Track{0, "", "", AudioSource{}},
        Track{725'000, "three", "", AudioSource{AudioSource::Kind::File, "/music/album/rip.flac", 7500, 61'875, 0}},
        Track{60'000, "cd", "", AudioSource{AudioSource::Kind::CdTrack, "/dev/sr1", 0, -1, 12}},
    };
    d.stamps = {FileStamp{1234, 1'700'000'000'123'456'789}, FileStamp{}, FileStamp{99, -5}, FileStamp{}};
    d.options = PlanOptions{false, false, true};
    d.lineup = {Tape{46, 1400}, Tape{90, 2745}};
    d.plan = SavedPlan{Tape{46, 1400}, {1, 3}, {2, 4}};
    d.label = LabelTexts{"題", "アーティスト", "TYPE II", {{2, "二"}, {4, ""}}};
    d.dubbing = DubbingSettings{7.5, CalibrationTone{10, 400, -18.5}, Loudness::Album};
    d.tracks.tracks[2].timeTyped = true;
    d.file = "/tapes/mine.vantoli";
    d.checks[1] = SideCheckRecord{"2026-12-08T13:45:00Z", -0.75, 3, 1, 12.5};
    return d;
}

DocumentError errorOf(const std::string& text)
{
    const ParsedTapeDocument parsed = parseTapeDocument(text, "/music");
    if (const auto* error = std::get_if<DocumentError>(&parsed)) return *error;
    return DocumentError{DocumentError::Kind::Unreadable, "read as a document"};
}

// The full document's text with one piece replaced.
std::string edited(const std::string& from, const std::string& to)
{
    std::string text = writeTapeDocument(fullDocument(), "/music");
    const std::size_t at = text.find(from);
    if (at == std::string::npos) qFatal("no %s in the document", from.c_str());
    return text.replace(at, from.size(), to);
}

}  // namespace

class TestTapeDocument : public QObject {
    Q_OBJECT
private slots:
    void everyMemberSurvivesSaveAndOpen()
    {
        const TapeDocument document = fullDocument();
        const ParsedTapeDocument parsed = parseTapeDocument(writeTapeDocument(document, "/music"), "/music");
        QVERIFY(std::holds_alternative<TapeDocument>(parsed));
        QCOMPARE(std::get<TapeDocument>(parsed), document);
    }

    // A document whose sides were never checked is written as before: no member for the checks.
    void uncheckedSidesWriteNothing()
    {
        TapeDocument document = fullDocument();
        document.checks[1].reset();
        QVERIFY(writeTapeDocument(document, "/music").find("tapeChecks") == std::string::npos);
    }

    // The music moved together with its document: files below the document's folder follow it, the
    // others keep their absolute path.
    void pathsBelowTheDocumentFollowIt()
    {
        const std::string text = writeTapeDocument(fullDocument(), "/music");
        QVERIFY(text.find("\"album/01 一.flac\"") != std::string::npos);
        QVERIFY(text.find("\"/elsewhere/list.m3u8\"") != std::string::npos);
        // A sibling folder whose name starts like the document's is not below it.
        TapeDocument sibling = fullDocument();
        sibling.sources = {"/music2/x.flac", "/music"};
        const std::string siblingText = writeTapeDocument(sibling, "/music");
        QVERIFY(siblingText.find("\"/music2/x.flac\"") != std::string::npos);
        // The document's own folder comes back as itself.
        QCOMPARE(std::get<TapeDocument>(parseTapeDocument(siblingText, "/music")).sources, sibling.sources);

        const TapeDocument moved = std::get<TapeDocument>(parseTapeDocument(text, "/mnt/usb/music"));
        QCOMPARE(moved.tracks.tracks[0].audio.path, std::string("/mnt/usb/music/album/01 一.flac"));
        QCOMPARE(moved.sources, (std::vector<std::string>{"/mnt/usb/music/album", "/elsewhere/list.m3u8"}));
        QCOMPARE(moved.tracks.tracks[3].audio.path, std::string("/dev/sr1"));  // a drive is no file
    }

    void laterVersionOpensOnlyWhenItSaysSo_data()
    {
        QTest::addColumn<QString>("versions");
        QTest::addColumn<bool>("opens");
        QTest::newRow("same version") << "\"version\": 1, \"minReaderVersion\": 1" << true;
        QTest::newRow("later, readable by 1") << "\"version\": 7, \"minReaderVersion\": 1, \"shelf\": [1]" << true;
        QTest::newRow("later, needs 2") << "\"version\": 7, \"minReaderVersion\": 2" << false;
        QTest::newRow("later, says nothing") << "\"version\": 2" << false;
        // A file of version 1 asking for a reader of version 5 opened.
        QTest::newRow("version 1, needs 5") << "\"version\": 1, \"minReaderVersion\": 5" << false;
    }
    void laterVersionOpensOnlyWhenItSaysSo()
    {
        QFETCH(QString, versions);
        QFETCH(bool, opens);
        const std::string text = edited("\"version\": 1,\n  \"minReaderVersion\": 1", versions.toStdString());
        const ParsedTapeDocument parsed = parseTapeDocument(text, "/music");
        QCOMPARE(std::holds_alternative<TapeDocument>(parsed), opens);
        if (opens)
            QCOMPARE(std::get<TapeDocument>(parsed), fullDocument());
        else
            QCOMPARE(std::get<DocumentError>(parsed).kind, DocumentError::Kind::TooNew);
    }

    void badDocumentsNameTheirFault_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<DocumentError::Kind>("kind");
        QTest::addColumn<QString>("where");
        using K = DocumentError::Kind;
        QTest::newRow("not JSON") << "{"
                                  << "[" << K::NotJson << "";
        QTest::newRow("another format") << "\"vantoli-tape\""
                                        << "\"vantoli-label\"" << K::OtherFormat << "";
        QTest::newRow("format no text") << "\"vantoli-tape\""
                                        << "3" << K::OtherFormat << "";
        QTest::newRow("version as text") << "\"version\": 1"
                                         << "\"version\": \"1\"" << K::WrongType << "version";
        QTest::newRow("version 0") << "\"version\": 1"
                                   << "\"version\": 0" << K::OutOfRange << "version";
        QTest::newRow("length as text") << "\"milliseconds\": 271500"
                                        << "\"milliseconds\": \"4:31\"" << K::WrongType << "tracks[0].milliseconds";
        QTest::newRow("negative length") << "\"milliseconds\": 271500"
                                         << "\"milliseconds\": -1" << K::OutOfRange << "tracks[0].milliseconds";
        QTest::newRow("length past any tape")
            << "\"milliseconds\": 271500"
            << "\"milliseconds\": 36000001" << K::OutOfRange << "tracks[0].milliseconds";
        QTest::newRow("length past 64 bits")
            << "\"milliseconds\": 271500"
            << "\"milliseconds\": 18446744073709551615" << K::OutOfRange << "tracks[0].milliseconds";
        QTest::newRow("length fraction") << "\"milliseconds\": 271500"
                                         << "\"milliseconds\": 1.5" << K::WrongType << "tracks[0].milliseconds";
        QTest::newRow("title missing") << "\"title\": \"一曲目\","
                                       << "" << K::WrongType << "tracks[0].title";
        QTest::newRow("sources no list") << "\"sources\": ["
                                         << "\"sources\": \"x\", \"y\": [" << K::WrongType << "sources";
        QTest::newRow("gap as number") << "\"gap\": false"
                                       << "\"gap\": 0" << K::WrongType << "options.gap";
        QTest::newRow("tapes out of order") << "\"minutes\": 90"
                                            << "\"minutes\": 40" << K::OutOfRange << "options.tapes";
        QTest::newRow("tape of 181 min") << "\"minutes\": 90"
                                         << "\"minutes\": 181" << K::OutOfRange << "options.tapes[1].minutes";
        QTest::newRow("side track 0") << "\"sideA\": [\n      1,"
                                      << "\"sideA\": [\n      0," << K::OutOfRange << "plan.sideA[0]";
        QTest::newRow("edited title twice") << "\"number\": 4"
                                            << "\"number\": 2" << K::OutOfRange << "label.titles[1].number";
        QTest::newRow("lead-in 31 s") << "\"leadInSeconds\": 7.5"
                                      << "\"leadInSeconds\": 31" << K::OutOfRange << "dubbing.leadInSeconds";
        QTest::newRow("tone 440 Hz") << "\"hertz\": 400"
                                     << "\"hertz\": 440" << K::OutOfRange << "dubbing.tone.hertz";
        QTest::newRow("loudness unknown") << "\"loudness\": \"album\""
                                          << "\"loudness\": \"loud\"" << K::OutOfRange << "dubbing.loudness";
        QTest::newRow("CUE end before start") << "\"endFrame\": 61875"
                                              << "\"endFrame\": 7500" << K::OutOfRange << "tracks[2].audio.endFrame";
        // A position this far overflowed when counted in samples.
        QTest::newRow("CUE end past any file") << "\"endFrame\": 61875"
                                               << "\"endFrame\": 9223372036854775000" << K::OutOfRange
                                               << "tracks[2].audio.endFrame";
        QTest::newRow("21 entries") << "\"entries\": ["
                                    << "\"entries\": [" + QString("\"1\",").repeated(19) << K::TooManyTracks
                                    << "entries";
        // An entry the window would refuse is found on opening, not when the work was already replaced.
        QTest::newRow("third entry unreadable") << "\"\",\n    \"1205\""
                                                << "\"500\", \"4:6x\"" << K::BadEntry << "entries[2]";
        QTest::newRow("first entry seconds 61") << "\"431\"" << "\"461\"" << K::BadEntry << "entries[0]";
        QTest::newRow("tape check's dropouts negative") << "\"dropouts\": 3"
                                                      << "\"dropouts\": -3" << K::OutOfRange << "tapeChecks.B.dropouts";
        QTest::newRow("tape check's speed as text") << "\"speedPercent\": -0.75"
                                                  << "\"speedPercent\": \"slow\"" << K::WrongType
                                                  << "tapeChecks.B.speedPercent";
        QTest::newRow("long list of 4") << "\"longList\": false"
                                        << "\"longList\": true" << K::OutOfRange << "longList";
    }
    void badDocumentsNameTheirFault()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(DocumentError::Kind, kind);
        QFETCH(QString, where);
        const DocumentError error = errorOf(edited(from.toStdString(), to.toStdString()));
        QCOMPARE(error.kind, kind);
        QCOMPARE(QString::fromStdString(error.where), where);
        // The message names the member too, for the user who opens the file in an editor; a track or an
        // entry by its number as users count ("tracks[2]" is track 3).
        if (where.isEmpty() || kind == DocumentError::Kind::TooManyTracks) return;
        const QString message = QString::fromStdString(documentErrorMessage(error, "x.vantoli").text);
        static const QRegularExpression listed(QStringLiteral(R"(^(tracks|entries)\[(\d+)\]\.?(.*)$)"));
        const QRegularExpressionMatch match = listed.match(where);
        if (!match.hasMatch()) {
            QVERIFY2(message.contains(where), qPrintable(message));
            return;
        }
        QVERIFY2(message.contains(QStringLiteral("トラック %1").arg(match.captured(2).toInt() + 1)), qPrintable(message));
        QVERIFY2(message.contains(match.captured(3)) && !message.contains('['), qPrintable(message));
    }

    void hundredTracksAreRefused()
    {
        TapeDocument d = fullDocument();
        d.longList = true;
        d.tracks.tracks.assign(99, Track{60'000, "t", "", {}});
        d.stamps.clear();
        QVERIFY(std::holds_alternative<TapeDocument>(parseTapeDocument(writeTapeDocument(d, "/"), "/")));
        d.tracks.tracks.push_back(Track{60'000, "t", "", {}});
        QCOMPARE(errorOf(writeTapeDocument(d, "/")).kind, DocumentError::Kind::TooManyTracks);
    }

    void textPastTheLimitIsNotParsed()
    {
        const std::string big(MaxTapeDocumentBytes + 1, ' ');
        QCOMPARE(errorOf(big).kind, DocumentError::Kind::TooLarge);
    }

    // The label keeps only the titles the user changed; putting them back gives the label as shown.
    void labelTextsGoBackOverTheFilledLabel()
    {
        LabelContent prefilled;
        prefilled.title = "album";
        prefilled.sideA.tracks = {LabelTrack{1, "one", 60, 0}, LabelTrack{2, "two", 60, 65}};
        prefilled.sideB.tracks = {LabelTrack{3, "three", 60, 0}};
        LabelContent shown = prefilled;
        shown.title = "my tape";
        shown.note = "Dolby B";
        shown.sideB.tracks[0].title = "3!";
        const LabelTexts texts = labelTexts(prefilled, shown);
        QCOMPARE(texts.titles, (std::vector<EditedTitle>{{3, "3!"}}));
        LabelContent restored = prefilled;
        applyLabelTexts(restored, texts);
        QCOMPARE(restored, shown);
    }
};

QTEST_APPLESS_MAIN(TestTapeDocument)
#include "test_tape_document.moc"
