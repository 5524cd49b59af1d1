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

// A set of two tapes: tape 1 holds the first album and the start of the second, tape 2 (the full
// document) the rest of the second album.
SetDocument twoTapeSet()
{
    SetDocument set;
    set.gap = false;
    TapeDocument first;
    first.sources = {"/music/box/disc1", "/music/box/disc2.cue"};
    first.entries = {"300", "420"};
    first.tracks = TrackList{"Disc 1", "Band", {Track{300'200, "A1", "Band", {}}, Track{420'000, "B1", "Band", {}}}};
    first.stamps.assign(2, FileStamp{});
    first.options = PlanOptions{false, true, false};
    first.lineup = {Tape{46, 1400}, Tape{90, 2745}};
    first.plan = SavedPlan{Tape{46, 1400}, {1}, {2}};
    set.tapes = {first, fullDocument()};
    set.albums = {SavedAlbum{{"/music/box/disc1"}, "Disc 1", "Band", 1},
                  SavedAlbum{{"/music/box/disc2.cue", "/elsewhere/bonus"}, "Disc 2", "", 5}};
    return set;
}

DocumentError setErrorOf(const std::string& text)
{
    const ParsedSetDocument parsed = parseSetDocument(text, "/music");
    if (const auto* error = std::get_if<DocumentError>(&parsed)) return *error;
    return DocumentError{DocumentError::Kind::Unreadable, "read as a set"};
}

// The set's text with one piece replaced.
std::string editedSet(const std::string& from, const std::string& to)
{
    std::string text = writeSetDocument(twoTapeSet(), "/music");
    const std::size_t at = text.find(from);
    if (at == std::string::npos) qFatal("no %s in the set", from.c_str());
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
        QTest::newRow("later, needs 3") << "\"version\": 7, \"minReaderVersion\": 3" << false;
        QTest::newRow("later, says nothing") << "\"version\": 3" << false;
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

    // A set keeps every tape whole and the albums it was planned from; its albums' tracks are the
    // tapes' tracks in order, an album running on from one tape to the next. Read where one tape is
    // wanted, it is its first tape; it asks for a reader that knows sets.
    void setSurvivesSaveAndOpen()
    {
        const SetDocument set = twoTapeSet();
        const std::string text = writeSetDocument(set, "/music");
        const ParsedSetDocument parsed = parseSetDocument(text, "/music");
        QVERIFY(std::holds_alternative<SetDocument>(parsed));
        QCOMPARE(std::get<SetDocument>(parsed), set);
        QVERIFY(text.find("\"minReaderVersion\": 2") != std::string::npos);
        QVERIFY(text.find("\"box/disc2.cue\"") != std::string::npos);  // below the document: relative
        QCOMPARE(std::get<TapeDocument>(parseTapeDocument(text, "/music")), set.tapes.front());

        const std::vector<TrackList> albums = setAlbumTracks(set);
        QCOMPARE(albums.size(), std::size_t(2));
        QCOMPARE(albums[0].album, std::string("Disc 1"));
        QCOMPARE(albums[0].tracks, std::vector<Track>{set.tapes[0].tracks.tracks[0]});
        std::vector<Track> second{set.tapes[0].tracks.tracks[1]};
        second.insert(second.end(), set.tapes[1].tracks.tracks.begin(), set.tapes[1].tracks.tracks.end());
        QCOMPARE(albums[1].tracks, second);
    }

    // A document of one tape is written as it always was, and reads back as a set of that one tape.
    void oneTapeIsWrittenAsBefore()
    {
        const TapeDocument tape = fullDocument();
        const std::string text = writeSetDocument(SetDocument{{}, false, {tape}}, "/music");
        QCOMPARE(text, writeTapeDocument(tape, "/music"));
        QVERIFY(
            text.starts_with("{\n  \"format\": \"vantoli-tape\",\n  \"version\": 1,\n  \"minReaderVersion\": 1,\n"
                             "  \"sources\": ["));
        QVERIFY(text.find("\n  \"tapes\"") == std::string::npos && text.find("\n  \"set\"") == std::string::npos);
        const SetDocument read = std::get<SetDocument>(parseSetDocument(text, "/music"));
        QCOMPARE(read.tapes, std::vector<TapeDocument>{tape});
        QVERIFY(read.albums.empty());
        QCOMPARE(read.gap, tape.options.gap);
    }

    void badSetIsRefusedWhole_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<DocumentError::Kind>("kind");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("named");  // what the message says of the member
        using K = DocumentError::Kind;
        QTest::newRow("second tape's length as text")
            << "\"milliseconds\": 271500"
            << "\"milliseconds\": \"4:31\"" << K::WrongType << "tapes[1].tracks[0].milliseconds"
            << "テープ 2 の トラック 1 の milliseconds";
        QTest::newRow("first tape's entry unreadable") << "\"420\""
                                                       << "\"4:6x\"" << K::BadEntry << "tapes[0].entries[1]"
                                                       << "テープ 1 の トラック 2";
        QTest::newRow("first tape's lineup out of order")
            << "\"minutes\": 90"
            << "\"minutes\": 40" << K::OutOfRange << "tapes[0].options.tapes"
            << "テープ 1 の options.tapes";
        QTest::newRow("second tape's tone") << "\"hertz\": 400"
                                            << "\"hertz\": 440" << K::OutOfRange << "tapes[1].dubbing.tone.hertz"
                                            << "テープ 2 の dubbing.tone.hertz";
        QTest::newRow("second tape's loudness")
            << "\"loudness\": \"album\""
            << "\"loudness\": \"loud\"" << K::OutOfRange << "tapes[1].dubbing.loudness"
            << "テープ 2 の dubbing.loudness";
        QTest::newRow("a tape no object") << "\"tapes\": [\n    {"
                                          << "\"tapes\": [\n    7, {" << K::WrongType << "tapes[0]"
                                          << "";
        QTest::newRow("no tape") << "\"tapes\": ["
                                 << "\"tapes\": [], \"x\": [" << K::OutOfRange << "tapes"
                                 << "";
        QTest::newRow("albums count a track too many") << "\"tracks\": 5"
                                                       << "\"tracks\": 6" << K::OutOfRange << "set.albums"
                                                       << "set.albums";
        QTest::newRow("album's source no text") << "\"sources\": [\n          \"box/disc1\""
                                                << "\"sources\": [\n 1" << K::WrongType << "set.albums[0].sources[0]"
                                                << "";
        QTest::newRow("gap as number") << "\"gap\": false,\n    \"albums\""
                                       << "\"gap\": 0,\n    \"albums\"" << K::WrongType << "set.gap"
                                       << "set.gap";
        QTest::newRow("no set") << "\"set\":"
                                << "\"sets\":" << K::WrongType << "set"
                                << "";
    }
    void badSetIsRefusedWhole()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(DocumentError::Kind, kind);
        QFETCH(QString, where);
        QFETCH(QString, named);
        const std::string text = editedSet(from.toStdString(), to.toStdString());
        const DocumentError error = setErrorOf(text);
        QCOMPARE(error.kind, kind);
        QCOMPARE(QString::fromStdString(error.where), where);
        // Where one tape is wanted the set is refused all the same.
        QCOMPARE(errorOf(text), error);
        if (named.isEmpty()) return;
        const QString message = QString::fromStdString(documentErrorMessage(error, "box.vantoli").text);
        QVERIFY2(message.contains(named), qPrintable(message));
    }

    // Each tape holds at most 99 tracks, the set more in all, up to its own limit.
    void setTrackLimits()
    {
        TapeDocument tape = fullDocument();
        tape.longList = true;
        tape.tracks.tracks.assign(MaxDocumentTracks, Track{60'000, "t", "", {}});
        tape.stamps.clear();
        tape.plan.reset();
        tape.label.reset();
        SetDocument set;
        const int fit = MaxSetTracks / MaxDocumentTracks;
        set.tapes.assign(static_cast<std::size_t>(fit), tape);
        set.albums = {SavedAlbum{{"/box"}, "Box", "", fit * MaxDocumentTracks}};
        QCOMPARE(std::get<SetDocument>(parseSetDocument(writeSetDocument(set, "/"), "/")).tapes.size(),
                 std::size_t(fit));

        SetDocument over = set;
        over.tapes.push_back(tape);
        over.albums.front().tracks += MaxDocumentTracks;
        QCOMPARE(setErrorOf(writeSetDocument(over, "/")), (DocumentError{DocumentError::Kind::TooManyTracks, "tapes"}));

        SetDocument full = set;
        full.tapes.back().tracks.tracks.push_back(Track{60'000, "t", "", {}});
        full.albums.front().tracks += 1;
        const std::string where = "tapes[" + std::to_string(fit - 1) + "].tracks";
        QCOMPARE(setErrorOf(writeSetDocument(full, "/")), (DocumentError{DocumentError::Kind::TooManyTracks, where}));
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
