// The text between vantoli-plan and its front ends: the report lines of --play and --record, the list
// of --devices, and the stream request, each written and read back by the one pair of functions.

#include <QtTest>

#include "core/sound_report.h"
#include "core/stream_request.h"

using namespace vantoli;

Q_DECLARE_METATYPE(vantoli::SoundReport)

class TestSoundReport : public QObject {
    Q_OBJECT
private slots:
    // Faults: a member lost or renamed between writing and reading (a front end then shows nothing).
    void reportsReadBackAsWritten_data()
    {
        QTest::addColumn<SoundReport>("report");
        SoundReport level{SoundEvent::Level, 44100, {{-3.5, -7.2}, {-60, -60}}, SoundCue::End, 0, 0, {}};
        QTest::newRow("level") << level;
        QTest::newRow("count-down") << SoundReport{SoundEvent::Cue, -88200, {}, SoundCue::CountDown, 0, 2, {}};
        QTest::newRow("track") << SoundReport{SoundEvent::Cue, 99225, {}, SoundCue::Track, 7, 0, {}};
        QTest::newRow("end") << SoundReport{SoundEvent::Cue, 500000, {}, SoundCue::End, 0, 0, {}};
        QTest::newRow("paused") << SoundReport{SoundEvent::Paused, 12345, {}, SoundCue::End, 0, 0, {}};
        QTest::newRow("error") << SoundReport{SoundEvent::Error, 0, {}, SoundCue::End, 0, 0, "出力先：\"tape\" が消えました"};
    }
    void reportsReadBackAsWritten()
    {
        QFETCH(SoundReport, report);
        const std::string line = soundReportLine(report);
        QVERIFY(line.find('\n') == std::string::npos);
        const std::optional<SoundReport> read = parseSoundReport(line + "\n");
        QVERIFY(read);
        QVERIFY2(*read == report, line.c_str());
    }

    // Faults: a broken or foreign line taken for a report (a level of 0 dBFS from nowhere, a false end).
    void foreignLinesAreNoReports_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("not JSON") << QByteArray("vantoli-plan: something");
        QTest::newRow("unknown event") << QByteArray(R"({"event":"boom","frame":1})");
        QTest::newRow("level without levels") << QByteArray(R"({"event":"level","frame":1})");
        QTest::newRow("level of one channel") << QByteArray(R"({"event":"level","frame":1,"peak":[0],"rms":[0]})");
        QTest::newRow("cue without its name") << QByteArray(R"({"event":"cue","frame":1})");
        QTest::newRow("array") << QByteArray(R"([1,2])");
    }
    void foreignLinesAreNoReports()
    {
        QFETCH(QByteArray, line);
        QVERIFY(!parseSoundReport(line.toStdString()));
    }

    // Faults: a cue a frame early or late at a segment's edge; the count-down's seconds counted down
    // instead of up.
    void cuesFollowTheProgram()
    {
        DubbingSettings settings;
        settings.leadInSeconds = 1;
        const SideProgram program = sideProgram({44100, 22050}, {3, 5}, true, settings);
        const auto cue = [&](std::int64_t frame) { return cueAt(program, frame); };
        QCOMPARE(int(cue(-1).cue), int(SoundCue::CountDown));
        QCOMPARE(cue(-1).seconds, 1);
        QCOMPARE(cue(-44101).seconds, 2);
        QCOMPARE(int(cue(0).cue), int(SoundCue::LeadIn));
        QCOMPARE(int(cue(44099).cue), int(SoundCue::LeadIn));
        QCOMPARE(cue(44100).track, 3);
        QCOMPARE(int(cue(88200).cue), int(SoundCue::Gap));
        QCOMPARE(cue(88200 + 5 * 44100).track, 5);
        QCOMPARE(int(cue(program.frames - 1).cue), int(SoundCue::Track));
        QCOMPARE(int(cue(program.frames).cue), int(SoundCue::End));
        QVERIFY(sameCue(cue(44100), cue(88199)));
        QVERIFY(!sameCue(cue(-1), cue(-44101)));
    }

    // Faults: a device lost or its default mark dropped between vantoli-plan and the window.
    void devicesReadBackAsWritten()
    {
        const SoundDevices devices{{{"tape", "Null Output", true}, {"usb", "USB \"Deck\"", false}},
                                   {{"tape.monitor", "Monitor of Null Output", false}}};
        QCOMPARE(parseSoundDevices(soundDevicesJson(devices)), std::optional(devices));
        QVERIFY(!parseSoundDevices(R"({"outputs":[{"description":"no name"}],"inputs":[]})"));
        QVERIFY(!parseSoundDevices("not json"));
    }

    // Faults: the window writing a request the renderer reads otherwise (one member lost, a CD track
    // taken for a file, a loudness name misspelt on one side, the album's other tracks dropped).
    void requestReadsBackAsWritten()
    {
        StreamRequest request;
        request.side.gap = false;
        request.side.settings = {4.5, {10, 400, -18}, Loudness::Album};
        request.side.tracks = {{1, {AudioSource::Kind::File, "/music/a b.flac", 150, 300, 0}, 2000},
                               {4, {AudioSource::Kind::CdTrack, "/dev/sr1", 0, -1, 4}, 61000}};
        request.side.albumTracks = {{AudioSource::Kind::File, "/music/c.flac", 0, -1, 0},
                                    {AudioSource::Kind::CdTrack, "/dev/sr1", 0, -1, 2}};
        request.what = StreamWhat::Loudest;
        request.startFrame = 441;
        request.countDownSeconds = 3;
        request.beep = false;
        const std::string json = streamRequestJson(request);
        QVERIFY(json.find('\n') == std::string::npos);
        const auto read = parseStreamRequest(json);
        QVERIFY(std::holds_alternative<StreamRequest>(read));
        QVERIFY(std::get<StreamRequest>(read) == request);
    }

    // Faults: a request out of range accepted (a tone the renderer cannot make, a track without a file).
    void badRequestsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not JSON") << QByteArray("{");
        QTest::newRow("no tracks") << QByteArray(R"({"what":"side"})");
        QTest::newRow("lead-in too long") << QByteArray(R"({"leadInSeconds":31,"tracks":[]})");
        QTest::newRow("tone of 440 Hz") << QByteArray(R"({"tone":{"hertz":440},"what":"tone","tracks":[]})");
        QTest::newRow("tone too loud") << QByteArray(R"({"tone":{"dbfs":1},"what":"tone","tracks":[]})");
        QTest::newRow("loudness unknown") << QByteArray(R"({"loudness":"loud","tracks":[{"path":"a"}]})");
        QTest::newRow("file without path") << QByteArray(R"({"tracks":[{"kind":"file"}]})");
        QTest::newRow("cd track 0") << QByteArray(R"({"tracks":[{"kind":"cd","cdTrack":0}]})");
        QTest::newRow("count-down too long") << QByteArray(R"({"countDownSeconds":31,"tracks":[{"path":"a"}]})");
        QTest::newRow("end before start") << QByteArray(R"({"tracks":[{"path":"a","startFrame":5,"endFrame":5}]})");
    }
    void badRequestsAreRefused()
    {
        QFETCH(QByteArray, json);
        const auto read = parseStreamRequest(json.toStdString());
        QVERIFY(std::holds_alternative<RequestError>(read));
        QVERIFY(!std::get<RequestError>(read).text.empty());
    }
};

QTEST_GUILESS_MAIN(TestSoundReport)
#include "test_sound_report.moc"
