// The tape model: a time typed over a track's audio makes it a typed track (and only beyond a second),
// a new source starts the label afresh, the document carries the tape there and back, and only a tape
// of entries alone counts as scratch work. Also the one home of names and time texts.

#include <QtTest>

#include "core/file_names.h"
#include "core/tape_model.h"
#include "core/time_text.h"

#include <algorithm>

using namespace vantoli;

namespace {

Track fileTrack(std::int64_t milliseconds, const std::string& title)
{
    return Track{milliseconds, title, "", AudioSource{AudioSource::Kind::File, "/m/" + title + ".flac", 0, -1, 0}};
}

TrackList album()
{
    return TrackList{"Album", "Band", {fileTrack(271'400, "one"), fileTrack(185'000, "two"), fileTrack(60'900, "three")}};
}

// A box of two albums too long for one tape: 25 short tracks, then four of 28:20, one a side of a C90.
std::vector<SetAlbum> boxSet()
{
    SetAlbum shorts{{"Shorts", "Band", {}}, {"/m/shorts"}};
    for (int i = 0; i < 25; ++i) shorts.tracks.tracks.push_back(fileTrack(100'000 + i, "s" + std::to_string(i)));
    SetAlbum longs{{"Longs", "Other", {}}, {"/m/longs.cue", "/m/bonus.flac"}};
    for (int i = 0; i < 4; ++i) longs.tracks.tracks.push_back(fileTrack(1'700'000, "l" + std::to_string(i)));
    return {shorts, longs};
}

SetPlan planOf(const std::vector<SetAlbum>& albums)
{
    const SetPlanResult result = planSet(setAlbumSeconds(albums), true);
    if (!std::holds_alternative<SetPlan>(result)) qFatal("the box does not plan");
    return std::get<SetPlan>(result);
}

}  // namespace

class TestTapeModel : public QObject {
    Q_OBJECT
private slots:
    // The tolerance is a second either way of the audio's length; a track without audio is never typed.
    void typedOverAudio_data()
    {
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<int>("typed");
        QTest::addColumn<bool>("hasAudio");
        QTest::addColumn<bool>("expected");
        QTest::newRow("as read (fraction dropped)") << qint64(271'400) << 271 << true << false;
        QTest::newRow("a second short") << qint64(271'000) << 270 << true << false;
        QTest::newRow("over a second short") << qint64(271'400) << 270 << true << true;
        QTest::newRow("over a second long") << qint64(271'400) << 273 << true << true;
        QTest::newRow("much shorter") << qint64(1'200'000) << 757 << true << true;
        QTest::newRow("no audio") << qint64(271'400) << 100 << false << false;
    }
    void typedOverAudio()
    {
        QFETCH(qint64, milliseconds);
        QFETCH(int, typed);
        QFETCH(bool, hasAudio);
        QFETCH(bool, expected);
        Track track = fileTrack(milliseconds, "t");
        if (!hasAudio) track.audio = {};
        QCOMPARE(vantoli::typedOverAudio(track, typed), expected);
    }

    // Typing over an entry makes its track typed at once; typing the time back gives the audio back;
    // the plan made then carries the flag to the label and dubbing windows.
    void typingOverAnEntryFollowsTheTrack()
    {
        TapeModel tape;
        tape.readTracks(album(), {"/m"});
        QCOMPARE(tape.entries()[0], std::string("431"));
        QVERIFY(!tape.entryTracks().tracks[0].timeTyped);

        tape.setEntry(0, "300");
        QVERIFY(tape.entryTracks().tracks[0].timeTyped);
        QVERIFY(!tape.entryTracks().tracks[0].playsAudio());
        QVERIFY(!tape.entryTracks().tracks[1].timeTyped);

        const RunOutcome run = tape.run(standardLineup());
        QVERIFY(run.plan);
        QCOMPARE(run.grandTotal, 180 + 185 + 60);
        QVERIFY(tape.plan()->titles.tracks[0].timeTyped);
        QCOMPARE(typedTrackNumbers(tape.plan()->titles, {3, 1, 2}), std::vector<int>{1});

        tape.setEntry(0, "431");
        QVERIFY(!tape.entryTracks().tracks[0].timeTyped);
        // A bad entry plans nothing and so changes nothing about its track.
        tape.setEntry(1, "abc");
        QVERIFY(!tape.entryTracks().tracks[1].timeTyped);
    }

    // A bad entry is Run's error; the plan made before stays the tape's.
    void runKeepsThePlanOnAnError()
    {
        TapeModel tape;
        tape.setEntry(0, "300");
        QVERIFY(tape.run(standardLineup()).plan);
        const MadePlan before = *tape.plan();
        tape.setEntry(1, "99x");
        const RunOutcome run = tape.run(standardLineup());
        QVERIFY(run.error);
        QCOMPARE(run.error->track, 2);
        QCOMPARE(*tape.plan(), before);
    }

    // Each new source starts the label from what it names, never from the tape before; Clear hides the
    // plan from the document but keeps it for the label window.
    void aNewSourceStartsTheLabelAfresh()
    {
        TapeModel tape;
        tape.readTracks(album(), {"/m"});
        tape.setLabelTexts(LabelTexts{"Typed title", "Typed artist", "memo", {}});
        TrackList other = album();
        other.album = "";
        other.artist = "Other";
        tape.readTracks(other, {"/n"});
        QCOMPARE(*tape.labelTexts(), (LabelTexts{"", "Other", "", {}}));
        QCOMPARE(tape.sources(), std::vector<std::string>{"/n"});

        QVERIFY(tape.run(standardLineup()).plan);
        QVERIFY(tape.document(standardLineup()).plan);
        tape.clear();
        QVERIFY(!tape.document(standardLineup()).plan);
        QVERIFY(tape.plan());
    }

    // What the document holds comes back in the model, typed tracks included, so that the
    // command line and the window open the same tape.
    void theDocumentCarriesTheTape()
    {
        TapeModel tape;
        tape.readTracks(album(), {"/m"});
        tape.setEntry(2, "200");
        tape.setOptions(PlanOptions{false, false, true});
        tape.setDubbing(DubbingSettings{5, {}, Loudness::Track});
        tape.setLabelTexts(LabelTexts{"T", "A", "N", {{2, "zwei"}}});
        QVERIFY(tape.run(standardLineup()).plan);

        const TapeDocument document = tape.document(standardLineup());
        QVERIFY(document.tracks.tracks[2].timeTyped);
        const TapeModel opened = TapeModel::fromDocument(document, "/t/mine.vantoli");
        QCOMPARE(opened.entries(), tape.entries());
        QCOMPARE(opened.tracks(), tape.tracks());
        QVERIFY(opened.options() == tape.options());
        QCOMPARE(opened.dubbing(), tape.dubbing());
        QCOMPARE(opened.labelTexts(), tape.labelTexts());
        QCOMPARE(opened.sources(), tape.sources());
        QCOMPARE(opened.name(), std::string("mine"));
        // Not planned yet: opening makes the plan anew.
        QVERIFY(!opened.plan());
    }

    // Catches an opened tape losing its sides' last checks when it is saved again, and a check
    // outliving the tracks it was made of.
    void sideChecksStayWithTheirTracks()
    {
        TapeModel tape;
        tape.readTracks(album(), {"/m"});
        const SideCheckRecord check{"2026-12-08T13:45:00Z", 0.4, 1, 0, 0};
        tape.setSideCheck(TapeSide::B, check);
        const TapeModel opened = TapeModel::fromDocument(tape.document(standardLineup()), "/t/mine.vantoli");
        QCOMPARE(opened.document(standardLineup()).checks[1], std::optional(check));
        QVERIFY(!opened.sideCheck(TapeSide::A));
        tape.readTracks(album(), {"/n"});
        QVERIFY(!tape.sideCheck(TapeSide::B));
    }

    // Each tape of a set is a tape of its own: the set's plan for its tracks (a long list past 20),
    // its place in the set, the sources of the albums on it; the set's document gives back the albums
    // it was planned from, an album that runs on to the next tape included.
    void aSetSavesAsTapesOfTheirOwn()
    {
        const std::vector<SetAlbum> albums = boxSet();
        const SetPlan plan = planOf(albums);
        QVERIFY(plan.tapes.size() >= 2);
        const SetDocument set = setDocumentOf(plan, albums, true, standardLineup());
        QCOMPARE(set.tapes.size(), plan.tapes.size());
        QCOMPARE(albumsOfSet(set), albums);
        QCOMPARE(set.gap, true);

        bool longList = false;
        for (std::size_t i = 0; i < plan.tapes.size(); ++i) {
            const TapeModel tape = tapeOfSet(plan, i, albums, true);
            QVERIFY(tape.planShown());
            QCOMPARE(tape.plan()->setTape, int(i) + 1);
            QCOMPARE(tape.plan()->setTapes, int(plan.tapes.size()));
            QCOMPARE(tape.plan()->plan, tapePlanOfSetTape(plan.tapes[i], true));
            QVERIFY(tape.options().gap && tape.options().keepOrder);
            QCOMPARE(set.tapes[i], tape.document(standardLineup()));
            // An album's sources come with every tape that holds a track of it, once.
            std::vector<std::string> expected;
            for (const SetSide* side : {&plan.tapes[i].sideA, &plan.tapes[i].sideB})
                for (const SetTrackPlace& place : side->tracks)
                    for (const std::string& source : albums[place.album].sources)
                        if (std::find(expected.begin(), expected.end(), source) == expected.end())
                            expected.push_back(source);
            QCOMPARE(tape.sources(), expected);
            longList = longList || tape.isLongList();
            QCOMPARE(tape.isLongList(), tape.tracks().tracks.size() > std::size_t(EntryCount));
        }
        QVERIFY(longList);
    }

    // Texts typed for a tape of the set come back to that tape only, and only while the tape is the
    // same: another plan for it, or other tracks, leave them.
    void aTapeOfTheSetKeepsItsTexts()
    {
        const std::vector<SetAlbum> albums = boxSet();
        const SetPlan plan = planOf(albums);
        TapeModel second = tapeOfSet(plan, 1, albums, true);
        second.setLabelTexts(LabelTexts{"Box 2", "Band", "TYPE II", {}});
        second.setDubbing(DubbingSettings{4, {}, Loudness::Album});
        const TapeDocument kept = second.document(standardLineup());

        const SetDocument set = setDocumentOf(plan, albums, true, standardLineup(), {kept});
        QCOMPARE(set.tapes[1].label, kept.label);
        QCOMPARE(set.tapes[1].dubbing, kept.dubbing);
        QVERIFY(set.tapes[0].label != kept.label);
        QCOMPARE(set.tapes[0].dubbing, DubbingSettings{});

        TapeDocument replanned = kept;
        std::swap(replanned.plan->sideA, replanned.plan->sideB);
        TapeDocument retitled = kept;
        retitled.tracks.tracks[0].title = "other";
        for (const TapeDocument& other : {replanned, retitled}) {
            TapeModel tape = tapeOfSet(plan, 1, albums, true);
            QVERIFY(!tape.takeTextsOf(other));
            QCOMPARE(tape.dubbing(), DubbingSettings{});
        }
    }

    // Entries alone, typed or read from a disc, are scratch work; files read, typed label texts,
    // dubbing settings or a file of its own are not.
    void onlyTypedEntries()
    {
        TapeModel tape;
        tape.setEntry(0, "431");
        QVERIFY(tape.onlyTypedEntries());
        TrackList disc{"", "", {Track{271'000, "", "", AudioSource{AudioSource::Kind::CdTrack, "", 0, -1, 1}}}};
        tape.setTracks(disc);
        QVERIFY(tape.onlyTypedEntries());

        TapeModel files;
        files.readTracks(album(), {"/m"});
        QVERIFY(!files.onlyTypedEntries());

        TapeModel labelled;
        labelled.setLabelTexts(LabelTexts{"", "", "memo", {}});
        QVERIFY(!labelled.onlyTypedEntries());

        TapeModel dubbed;
        dubbed.setDubbing(DubbingSettings{0, {}, Loudness::Off});
        QVERIFY(!dubbed.onlyTypedEntries());

        TapeModel saved;
        saved.setFile("/t/a.vantoli");
        QVERIFY(!saved.onlyTypedEntries());
    }

    // A setter that changes nothing leaves the tape unchanged (the window writes the tape back into
    // its controls without marking it).
    void sameValuesChangeNothing()
    {
        TapeModel tape;
        tape.setEntry(0, "");
        tape.setOptions(PlanOptions{});
        tape.setDubbing(DubbingSettings{});
        QVERIFY(!tape.changed());
        tape.setEntry(0, "1");
        QVERIFY(tape.changed());
    }

    void names_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<bool>("isTape");
        QTest::addColumn<QString>("stem");
        QTest::newRow("tape") << "/a/b/Mine.vantoli" << "vantoli" << true << "Mine";
        QTest::newRow("upper case") << "/a/B.VANTOLI" << "vantoli" << true << "B";
        QTest::newRow("only the extension") << "/a/.vantoli" << "" << false << ".vantoli";
        QTest::newRow("dot in a folder") << "/a.b/c" << "" << false << "c";
        QTest::newRow("audio") << "x/01 One.FLAC" << "flac" << false << "01 One";
        QTest::newRow("UTF-8 kept") << "/曲.Mp3" << "mp3" << false << "曲";
    }
    void names()
    {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QFETCH(bool, isTape);
        QFETCH(QString, stem);
        const std::string p = path.toStdString();
        QCOMPARE(QString::fromStdString(extensionOf(p)), extension);
        QCOMPARE(hasExtension(p, TapeDocumentExtension), isTape);
        QCOMPARE(QString::fromStdString(fileStem(p)), stem);
        QCOMPARE(asciiLower("AbÇ-Z"), std::string("abÇ-z"));
    }

    void minutesSeconds_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0:00";
        QTest::newRow("under ten seconds") << qint64(65) << "1:05";
        QTest::newRow("an hour and more") << qint64(4500) << "75:00";
        QTest::newRow("negative") << qint64(-5) << "-0:05";
    }
    void minutesSeconds()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(minutesSecondsText(seconds)), text);
    }
};

QTEST_APPLESS_MAIN(TestTapeModel)
#include "test_tape_model.moc"
