// The side renderer on files the test encodes with the encoders Debian ships: every segment at its
// exact frame, silence where the program says silence, the tone as asked, the loudness as asked, and
// nothing left behind when a source or the disk fails.

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cmath>
#include <ebur128.h>
#include <filesystem>

#include "audio/file_sound.h"
#include "audio/loudness.h"
#include "audio/side_file.h"
#include "audio/side_render.h"
#include "audio/true_peak.h"
#include "support/file_size_limit.h"

using namespace vantoli;
using namespace vantoli::audio;

namespace {

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning() << program << arguments << process.readAllStandardError();
        return false;
    }
    return true;
}

// A sine tone of exactly `samples` samples at `rate`, `channels`, amplitude `volume` (of full scale),
// encoded by its extension: wav, flac, mp3 (lame), ogg (oggenc), opus (opusenc), m4a (ffmpeg's AAC).
QString tone(const QString& folder, const QString& name, qint64 samples, int rate, int channels, double volume,
             int hertz = 1000)
{
    const QString wav = QDir(folder).filePath(name + ".src.wav");
    const QString out = QDir(folder).filePath(name);
    if (!run("sox", {"-r", QString::number(rate), "-c", QString::number(channels), "-n", "-b", "16", wav, "synth",
                     QString::number(samples) + "s", "sine", QString::number(hertz), "vol", QString::number(volume)}))
        return {};
    const QString extension = QFileInfo(name).suffix();
    bool made = true;
    if (extension == "wav") made = QFile::copy(wav, out);
    if (extension == "flac") made = run("flac", {"-s", "-f", wav, "-o", out});
    if (extension == "mp3") made = run("lame", {"--quiet", wav, out});
    if (extension == "ogg") made = run("oggenc", {"-Q", wav, "-o", out});
    if (extension == "opus") made = run("opusenc", {"--quiet", wav, out});
    if (extension == "m4a") made = run("ffmpeg", {"-v", "quiet", "-y", "-i", wav, "-c:a", "aac", out});
    return made ? out : QString();
}

AudioSource fileSource(const QString& path, qint64 start = 0, qint64 end = -1)
{
    return {AudioSource::Kind::File, path.toStdString(), start, end, 0};
}

struct Rendered {
    SideProgram program;
    std::vector<std::int16_t> samples;  // interleaved stereo
    QString error;
};

Rendered render(const SideRequest& request, LoudnessCache& cache)
{
    Rendered rendered;
    auto prepared = prepareSide(request, cache);
    if (auto* error = std::get_if<SoundError>(&prepared)) {
        rendered.error = QString::fromStdString(error->what + ": " + error->cause);
        return rendered;
    }
    rendered.program = std::get<SideProgram>(prepared);
    const auto done = renderSide(request, rendered.program, 0, [&](const std::int16_t* samples, std::int64_t frames) {
        rendered.samples.insert(rendered.samples.end(), samples, samples + frames * 2);
        return true;
    });
    if (const auto* error = std::get_if<SoundError>(&done))
        rendered.error = QString::fromStdString(error->what + ": " + error->cause);
    return rendered;
}

double rms(const std::vector<std::int16_t>& samples, qint64 fromFrame, qint64 frames)
{
    double sum = 0;
    for (qint64 i = fromFrame * 2; i < (fromFrame + frames) * 2; ++i)
        sum += double(samples[std::size_t(i)]) * samples[std::size_t(i)];
    return std::sqrt(sum / double(frames * 2)) / 32768.0;
}

bool silent(const std::vector<std::int16_t>& samples, qint64 fromFrame, qint64 frames)
{
    for (qint64 i = fromFrame * 2; i < (fromFrame + frames) * 2; ++i)
        if (samples[std::size_t(i)] != 0) return false;
    return true;
}

int peak(const std::vector<std::int16_t>& samples, qint64 fromFrame, qint64 frames)
{
    int most = 0;
    for (qint64 i = fromFrame * 2; i < (fromFrame + frames) * 2; ++i)
        most = std::max(most, std::abs(int(samples[std::size_t(i)])));
    return most;
}

double integratedLufs(const std::vector<std::int16_t>& samples, qint64 fromFrame, qint64 frames)
{
    ebur128_state* state = ebur128_init(2, 44100, EBUR128_MODE_I);
    ebur128_add_frames_short(state, samples.data() + fromFrame * 2, std::size_t(frames));
    double lufs = 0;
    ebur128_loudness_global(state, &lufs);
    ebur128_destroy(&state);
    return lufs;
}

std::vector<Segment> tracksOf(const SideProgram& program)
{
    std::vector<Segment> tracks;
    for (const Segment& segment : program.segments)
        if (segment.kind == SegmentKind::Track) tracks.push_back(segment);
    return tracks;
}

}  // namespace

class TestSideRender : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    QString dir() const { return folder_.path(); }

private slots:
    void initTestCase() { qputenv("XDG_CACHE_HOME", QDir(folder_.path()).filePath("cache").toUtf8()); }

    // A decoder that keeps the encoder's delay (a silent start) or padding (a silent end), a resampler
    // that loses or adds frames, or a mono file played 3 dB low or on one channel, shows here.
    void eachTrackSitsAtItsExactFrames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("tolerance");  // frames
        QTest::newRow("WAV 44.1 kHz stereo") << "a.wav" << 44100 << 2 << 0;
        QTest::newRow("FLAC 48 kHz mono") << "b.flac" << 48000 << 1 << 0;
        QTest::newRow("MP3 44.1 kHz stereo") << "c.mp3" << 44100 << 2 << 0;
        QTest::newRow("MP3 48 kHz mono") << "d.mp3" << 48000 << 1 << 0;
        QTest::newRow("Ogg Vorbis 44.1 kHz stereo") << "e.ogg" << 44100 << 2 << 0;
        QTest::newRow("Opus 48 kHz stereo") << "f.opus" << 48000 << 2 << 0;
        // The MP4 edit list of ffmpeg's own AAC encoder states the length up to about 1 ms short; the
        // file is played as it states.
        QTest::newRow("AAC 44.1 kHz stereo") << "g.m4a" << 44100 << 2 << 44;
        QTest::newRow("AAC 48 kHz mono") << "h.m4a" << 48000 << 1 << 44;
    }
    void eachTrackSitsAtItsExactFrames()
    {
        QFETCH(QString, name);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, tolerance);
        const qint64 samples = rate * 3 / 2 + 77;  // 1.5 s and a few samples: no whole number of codec frames
        const QString path = tone(dir(), name, samples, rate, channels, 0.5);
        QVERIFY(!path.isEmpty());
        SideRequest request{{{1, fileSource(path), 0}, {2, fileSource(path), 0}}, true, {}, {}};
        request.settings.leadInSeconds = 0.5;
        LoudnessCache cache(QDir(dir()).filePath("unused.tsv").toStdString());
        const Rendered side = render(request, cache);
        QVERIFY2(side.error.isEmpty(), qPrintable(side.error));
        const qint64 expected = (samples * 44100 + rate / 2) / rate;
        const std::vector<Segment> tracks = tracksOf(side.program);
        QCOMPARE(qint64(side.samples.size()), side.program.frames * 2);
        for (const Segment& track : tracks) {
            QVERIFY2(std::abs(track.frames - expected) <= tolerance, qPrintable(QString::number(track.frames)));
            // Sound from the first 5 ms to the last 5 ms: no priming silence, no padding.
            QVERIFY2(rms(side.samples, track.start, 220) > 0.2, "silence at the track's start");
            QVERIFY2(rms(side.samples, track.start + track.frames - 220, 220) > 0.2, "silence at the track's end");
        }
        QVERIFY(silent(side.samples, 0, tracks[0].start));
        QVERIFY(silent(side.samples, tracks[0].start + tracks[0].frames,
                       tracks[1].start - tracks[0].start - tracks[0].frames));
        QCOMPARE(tracks[1].start - tracks[0].start - tracks[0].frames, 5 * SampleRate);
        // Mono on both channels at its own level (0.5 of full scale, -6 dBFS).
        const qint64 middle = tracks[0].start + expected / 2;
        double left = 0, right = 0;
        for (qint64 i = middle; i < middle + 4410; ++i) {
            left = std::max(left, std::abs(side.samples[std::size_t(i * 2)] / 32768.0));
            right = std::max(right, std::abs(side.samples[std::size_t(i * 2 + 1)] / 32768.0));
        }
        QVERIFY2(std::abs(20 * std::log10(left / 0.5)) < 0.5, qPrintable(QString::number(left)));
        QVERIFY2(std::abs(20 * std::log10(right / 0.5)) < 0.5, qPrintable(QString::number(right)));
    }

    // Without a gain the side holds the source's samples unchanged: from a 16-bit FLAC, from a part
    // of a single-file CUE rip, and from a CUE/BIN disc image read through cd-paranoia.
    void withoutGainTheSamplesAreTheSource()
    {
        const QString wav = tone(dir(), "rip.wav", 44100 * 4, 44100, 2, 0.7, 400);
        const QString flac = QDir(dir()).filePath("rip.flac");
        QVERIFY(run("flac", {"-s", "-f", wav, "-o", flac}));
        QFile file(wav);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll().mid(44);
        const auto* source = reinterpret_cast<const std::int16_t*>(bytes.constData());
        // The BIN image: the same samples, two tracks of 1 s and 3 s.
        QVERIFY(QFile::copy(wav, QDir(dir()).filePath("disc.bin")));
        QFile bin(QDir(dir()).filePath("disc.bin"));
        QVERIFY(bin.open(QIODevice::ReadWrite));
        QVERIFY(bin.write(bytes) == bytes.size() && bin.resize(bytes.size()));
        bin.close();
        QFile cue(QDir(dir()).filePath("disc.cue"));
        QVERIFY(cue.open(QIODevice::WriteOnly));
        cue.write(
            "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
            "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n");
        cue.close();

        struct Case {
            AudioSource audio;
            qint64 first;  // the source's first frame
            qint64 frames;
        };
        const Case cases[] = {
            {fileSource(flac), 0, 44100 * 4},
            {fileSource(flac, 75, 150), 44100, 44100},  // the rip's second second, as a CUE part
            {{AudioSource::Kind::CdTrack, cue.fileName().toStdString(), 0, -1, 2}, 44100, 44100 * 3},
        };
        // Parts deep into a rip are found by seeking; noise, so that no shift can match itself.
        const QString noiseWav = QDir(dir()).filePath("noise.wav");
        const QString noiseFlac = QDir(dir()).filePath("noise.flac");
        QVERIFY(run("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", noiseWav, "synth", "12", "whitenoise", "vol", "0.5"}));
        QVERIFY(run("flac", {"-s", "-f", noiseWav, "-o", noiseFlac}));
        QFile noiseFile(noiseWav);
        QVERIFY(noiseFile.open(QIODevice::ReadOnly));
        const QByteArray noiseBytes = noiseFile.readAll().mid(44);
        const auto* noise = reinterpret_cast<const std::int16_t*>(noiseBytes.constData());
        const Case deep[] = {
            {fileSource(noiseFlac, 375, 600), 44100 * 5, 44100 * 3},  // 0:05 to 0:08
            {fileSource(noiseFlac, 713), 713 * 588, 44100 * 12 - 713 * 588},  // 0:09.51 to the end
            {fileSource(noiseWav, 450, 525), 44100 * 6, 44100},
        };
        std::vector<std::pair<Case, const std::int16_t*>> all;
        for (const Case& c : cases) all.emplace_back(c, source);
        for (const Case& c : deep) all.emplace_back(c, noise);
        for (const auto& [c, samples] : all) {
            SideRequest request{{{1, c.audio, 0}}, false, {}, {}};
            request.settings.leadInSeconds = 0;
            LoudnessCache cache(QDir(dir()).filePath("unused.tsv").toStdString());
            const Rendered side = render(request, cache);
            QVERIFY2(side.error.isEmpty(), qPrintable(side.error));
            QCOMPARE(side.program.frames, c.frames);
            const auto differs = std::mismatch(side.samples.begin(), side.samples.end(), samples + c.first * 2);
            QVERIFY2(differs.first == side.samples.end(),
                     qPrintable(QString::fromStdString(soundName(c.audio)) + " differs at sample " +
                                QString::number(differs.first - side.samples.begin())));
        }
    }

    // The tone at its frequency and level, before the lead-in.
    void toneHasItsFrequencyAndLevel_data()
    {
        QTest::addColumn<int>("hertz");
        QTest::addColumn<double>("dbfs");
        QTest::newRow("1 kHz at -12 dBFS") << 1000 << -12.0;
        QTest::newRow("400 Hz at -20 dBFS") << 400 << -20.0;
        QTest::newRow("1 kHz at 0 dBFS") << 1000 << 0.0;
    }
    void toneHasItsFrequencyAndLevel()
    {
        QFETCH(int, hertz);
        QFETCH(double, dbfs);
        SideRequest request{{}, true, {}, {}};
        request.settings.tone = {2.0, hertz, dbfs};
        LoudnessCache cache(QDir(dir()).filePath("unused.tsv").toStdString());
        const Rendered side = render(request, cache);
        QCOMPARE(side.program.frames, 4 * SampleRate);
        int crossings = 0;
        for (qint64 i = 1; i < 2 * SampleRate; ++i)
            crossings += (side.samples[std::size_t(i * 2 - 2)] < 0) != (side.samples[std::size_t(i * 2)] < 0);
        QVERIFY2(std::abs(crossings / 4 - hertz) <= 1, qPrintable(QString::number(crossings)));
        QVERIFY(std::abs(20 * std::log10(peak(side.samples, 0, 2 * SampleRate) / 32767.0) - dbfs) < 0.05);
        QVERIFY(silent(side.samples, 2 * SampleRate, 2 * SampleRate));
    }

    // Each track to -16 LUFS within 0.5 LU, or held lower so that no sample passes -1 dBTP; an album
    // shares one gain.
    void loudnessMeetsTheTargetWithoutPassingTheCeiling()
    {
        QDir(dir()).mkpath("album");
        const QString album = QDir(dir()).filePath("album");
        const QString quiet = tone(album, "quiet.flac", 44100 * 4, 44100, 2, 0.05);
        const QString loud = tone(album, "loud.flac", 44100 * 4, 44100, 2, 0.8);
        // Quiet with one full-scale burst: the ceiling, not the target, sets its gain.
        const QString burst = QDir(album).filePath("burst.flac");
        const QString burstWav = QDir(album).filePath("burstmix.wav");
        QVERIFY(run("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", QDir(album).filePath("b1.wav"), "synth", "0.05",
                            "sine", "1000"}));
        QVERIFY(run("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", QDir(album).filePath("b2.wav"), "synth", "4",
                            "sine", "1000", "vol", "0.01"}));
        QVERIFY(run("sox", {QDir(album).filePath("b1.wav"), QDir(album).filePath("b2.wav"), burstWav}));
        QVERIFY(run("flac", {"-s", "-f", burstWav, "-o", burst}));

        const qint64 ceiling = std::lround(std::pow(10.0, TruePeakCeilingDbtp / 20) * 32768);
        for (const Loudness mode : {Loudness::Track, Loudness::Album}) {
            SideRequest request{{{1, fileSource(quiet), 0}, {2, fileSource(loud), 0}, {3, fileSource(burst), 0}},
                                true,
                                {},
                                {}};
            request.settings.loudness = mode;
            LoudnessCache cache(QDir(dir()).filePath("cache.tsv").toStdString());
            const Rendered side = render(request, cache);
            QVERIFY2(side.error.isEmpty(), qPrintable(side.error));
            const std::vector<Segment> tracks = tracksOf(side.program);
            QVERIFY(peak(side.samples, 0, side.program.frames) <= ceiling);
            if (mode == Loudness::Track) {
                for (int i : {0, 1})
                    QVERIFY(std::abs(integratedLufs(side.samples, tracks[i].start, tracks[i].frames) -
                                     LoudnessTargetLufs) < 0.5);
                QVERIFY(tracks[2].gainDb < 0);  // held by its burst at 0 dBFS
            } else {
                QCOMPARE(tracks[0].gainDb, tracks[1].gainDb);
                QCOMPARE(tracks[1].gainDb, tracks[2].gainDb);
            }
        }
    }

    // Catches album loudness measured per side (a side of the album's loud half and a side of its quiet
    // half given different gains), or as a mean of its tracks' values: each side's gain is the one the
    // whole album, measured as one file, asks for.
    void anAlbumHasOneGainOnBothSides()
    {
        QDir(dir()).mkpath("halves");
        const QString album = QDir(dir()).filePath("halves");
        // Long enough that the few blocks across the join of the file made of both weigh little (0.03 dB).
        const QString loud = tone(album, "1-loud.flac", 44100 * 20, 44100, 2, 0.4);
        const QString quiet = tone(album, "2-quiet.flac", 44100 * 20, 44100, 2, 0.02);
        const QString whole = QDir(album).filePath("whole.wav");
        QVERIFY(run("sox", {loud, quiet, whole}));
        LoudnessCache cache(QDir(dir()).filePath("halves.tsv").toStdString());
        SideRequest wholeAsOne{{{1, fileSource(whole), 0}}, true, {}, {}};
        wholeAsOne.settings.loudness = Loudness::Track;
        const Rendered expected = render(wholeAsOne, cache);
        QVERIFY2(expected.error.isEmpty(), qPrintable(expected.error));
        const double albumGain = tracksOf(expected.program)[0].gainDb;
        // The quiet half sits below the relative gate: a mean of the two values would be 3 dB lower, a
        // side of its own would give the quiet half the gain of the ceiling.
        for (const QString& onSide : {loud, quiet}) {
            SideRequest side{{{1, fileSource(onSide), 0}}, true, {}, {fileSource(loud), fileSource(quiet)}};
            side.settings.loudness = Loudness::Album;
            const Rendered rendered = render(side, cache);
            QVERIFY2(rendered.error.isEmpty(), qPrintable(rendered.error));
            QVERIFY2(std::abs(tracksOf(rendered.program)[0].gainDb - albumGain) < 0.06,
                     qPrintable(QString("%1 against %2").arg(tracksOf(rendered.program)[0].gainDb).arg(albumGain)));
        }
    }

    // A second render finds each measurement in the cache; a changed file is measured again.
    void loudnessIsMeasuredOncePerFileVersion()
    {
        const QString path = tone(dir(), "cached.flac", 44100, 44100, 2, 0.3);
        const std::string cacheFile = QDir(dir()).filePath("measure.tsv").toStdString();
        const int expectations[] = {1, 0, 1};
        for (int round = 0; round < 3; ++round) {
            if (round == 2)
                std::filesystem::last_write_time(path.toStdString(),
                                                 std::filesystem::last_write_time(path.toStdString()) +
                                                     std::chrono::seconds(5));
            LoudnessCache cache(cacheFile);
            cache.measure(fileSource(path));
            QCOMPARE(cache.measured(), expectations[round]);
            QVERIFY(cache.save());
        }
    }

    // A cache line no measurement could have given is measured again (a value of -70 LUFS gave +54 dB
    // and a clipped side; 1e308 gave silence or DC). A line that could be true is believed.
    void aCacheLineAudioCannotGiveIsMeasuredAgain_data()
    {
        QTest::addColumn<QString>("values");  // lufs, peak, frames, blocks
        QTest::addColumn<int>("measured");
        QTest::newRow("as measured") << "-20\t-3\t44100\t-" << 0;
        QTest::newRow("huge loudness") << "1e308\t-3\t44100\t-" << 1;
        QTest::newRow("not a number") << "nan\t-3\t44100\t-" << 1;
        QTest::newRow("infinite peak") << "-20\tinf\t44100\t-" << 1;
        QTest::newRow("below the gate") << "-75\t-3\t44100\t-" << 1;
        QTest::newRow("louder than its peak") << "-2\t-30\t44100\t-" << 1;
        QTest::newRow("loudness without a peak") << "-20\t-inf\t44100\t-" << 1;
        QTest::newRow("negative length") << "-20\t-3\t-5\t-" << 1;
        QTest::newRow("more blocks than its length") << "-20\t-3\t44100\t5000:1000" << 1;
        QTest::newRow("a block above the peak") << "-20\t-3\t44100\t9000:2" << 1;
    }
    void aCacheLineAudioCannotGiveIsMeasuredAgain()
    {
        QFETCH(QString, values);
        QFETCH(int, measured);
        const QString path = tone(dir(), "believed.flac", 44100, 44100, 2, 0.3);
        const std::filesystem::path file(path.toStdString());
        const QString cacheFile = QDir(dir()).filePath("forged.tsv");
        QFile forged(cacheFile);
        QVERIFY(forged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        forged.write(QString("%1\t%2\t0\t-1\t%3\t%4\n")
                         .arg(std::filesystem::file_size(file))
                         .arg(qint64(std::filesystem::last_write_time(file).time_since_epoch().count()))
                         .arg(values)
                         .arg(QString::fromStdString(std::filesystem::absolute(file).lexically_normal().string()))
                         .toUtf8());
        forged.close();
        LoudnessCache cache(cacheFile.toStdString());
        cache.measure(fileSource(path));
        QCOMPARE(cache.measured(), measured);
    }

    // A cache that lies and still looks true (a loud track said to be quiet, its peak low to match)
    // raises the track a lot, but never past the ceiling.
    void aRaisedTrackNeverPassesTheCeiling()
    {
        const QString path = tone(dir(), "lied.flac", 44100 * 2, 44100, 2, 0.8);
        const std::filesystem::path file(path.toStdString());
        const QString cacheFile = QDir(dir()).filePath("lie.tsv");
        QFile forged(cacheFile);
        QVERIFY(forged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        forged.write(QString("%1\t%2\t0\t-1\t-60\t-62\t88200\t-\t%3\n")
                         .arg(std::filesystem::file_size(file))
                         .arg(qint64(std::filesystem::last_write_time(file).time_since_epoch().count()))
                         .arg(QString::fromStdString(std::filesystem::absolute(file).lexically_normal().string()))
                         .toUtf8());
        forged.close();
        LoudnessCache cache(cacheFile.toStdString());
        SideRequest request{{{1, fileSource(path), 0}}, true, {}, {}};
        request.settings.loudness = Loudness::Track;
        const Rendered side = render(request, cache);
        QVERIFY2(side.error.isEmpty(), qPrintable(side.error));
        QCOMPARE(cache.measured(), 0);  // believed: the limit, not the check, holds this one
        QVERIFY(tracksOf(side.program)[0].gainDb > 40);
        const qint64 ceiling = std::lround(std::pow(10.0, TruePeakCeilingDbtp / 20) * 32768);
        QVERIFY(peak(side.samples, 0, side.program.frames) <= ceiling + 1);  // dither's last bit
    }

    // The true peak of tones whose peak between samples is known: one that reads sample peaks (the
    // quarter-rate tone's samples sit 3 dB below its crest), a filter at the wrong rate or with ripple,
    // or state lost between two calls would miss it. Faded in and out, so that no step rings.
    void truePeakIsTheCrestBetweenSamples_data()
    {
        QTest::addColumn<double>("hertz");
        QTest::addColumn<double>("phase");
        QTest::addColumn<int>("piece");  // frames a call
        QTest::newRow("1 kHz") << 1000.0 << 0.0 << 44100;
        QTest::newRow("quarter rate, samples 3 dB down") << 11025.0 << M_PI / 4 << 44100;
        QTest::newRow("quarter rate, in odd pieces") << 11025.0 << M_PI / 4 << 777;
        QTest::newRow("15 kHz") << 15000.0 << 0.3 << 4410;
        QTest::newRow("20 kHz") << 20000.0 << 0.7 << 44100;
    }
    void truePeakIsTheCrestBetweenSamples()
    {
        QFETCH(double, hertz);
        QFETCH(double, phase);
        QFETCH(int, piece);
        constexpr int Frames = SampleRate, Fade = SampleRate / 20;
        std::vector<float> samples(std::size_t(Frames) * 2);
        for (int i = 0; i < Frames; ++i) {
            const double fade = std::min({1.0, double(i) / Fade, double(Frames - 1 - i) / Fade});
            const double envelope = 0.5 * (1 - std::cos(M_PI * fade));
            samples[std::size_t(i) * 2] = float(0.5 * envelope * std::sin(2 * M_PI * hertz * i / SampleRate + phase));
            samples[std::size_t(i) * 2 + 1] = samples[std::size_t(i) * 2] * 0.5f;
        }
        TruePeakMeter meter;
        for (int at = 0; at < Frames; at += piece)
            meter.add(samples.data() + std::size_t(at) * 2, std::min(piece, Frames - at));
        const double dbtp = 20 * std::log10(meter.peak());
        QVERIFY2(std::abs(dbtp - 20 * std::log10(0.5)) < 0.02, qPrintable(QString::number(dbtp)));
        TruePeakMeter silent;
        silent.add(std::vector<float>(2000).data(), 1000);
        QCOMPARE(silent.peak(), 0.0);
    }

    // A source that fails names its file, and no side is written.
    void aFailingSourceNamesItsFile_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing file") << "missing"
                                      << "ファイルがありません";
        QTest::newRow("length far from the plan") << "planned"
                                                  << "長さが予定と違います";
        // Cut off or damaged part-way: the decoder's error, or fewer samples than the file promised.
        QTest::newRow("cut off part-way") << "truncated"
                                          << "デコードに失敗|途中で終わって|長さが予定と違い";
        QTest::newRow("garbage part-way") << "garbage"
                                          << "デコードに失敗|途中で終わって|長さが予定と違い";
    }
    void aFailingSourceNamesItsFile()
    {
        QFETCH(QString, fault);
        QFETCH(QString, cause);
        QString path = tone(dir(), fault + ".flac", 44100 * 6, 44100, 2, 0.5);
        QVERIFY(!path.isEmpty());
        std::int64_t planned = 6000;
        QFile file(path);
        if (fault == "missing") QVERIFY(file.remove());
        if (fault == "planned") planned = 8000;
        if (fault == "truncated") QVERIFY(file.resize(file.size() / 3));
        if (fault == "garbage") {
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() / 2));
            file.write(QByteArray(int(file.size() / 3), '\x5a'));
            file.close();
        }
        SideRequest request{{{1, fileSource(path), planned}}, false, {}, {}};
        LoudnessCache cache(QDir(dir()).filePath("unused.tsv").toStdString());
        const Rendered side = render(request, cache);
        QVERIFY2(side.error.startsWith(path + ": "), qPrintable(side.error));
        QVERIFY2(side.error.contains(QRegularExpression(cause)), qPrintable(side.error));
    }

    // A disk that refuses the data or a cancel leaves no file, not even a hidden partial one.
    void aFailedOrCancelledWriteLeavesNothing()
    {
        const QString out = QDir(dir()).filePath("out");
        QVERIFY(QDir(dir()).mkpath("out"));
        std::vector<std::int16_t> second(44100 * 2);
        for (std::size_t i = 0; i < second.size(); ++i) second[i] = std::int16_t(i * 2654435761u >> 16);
        for (const FileFormat format : {FileFormat::Flac, FileFormat::Wav}) {
            {
                SideFile file;
                QVERIFY(file.open((out + "/full").toStdString(), format, 44100 * 60).empty());
                const vantoli::test::FileSizeLimit limit(64 * 1024);
                QVERIFY(limit.active());
                bool written = true;
                for (int i = 0; i < 60 && written; ++i) written = file.write(second.data(), 44100);
                QVERIFY(!written || !file.commit());
                QVERIFY(!file.error().empty());
            }
            {
                SideFile file;
                QVERIFY(file.open((out + "/cancelled").toStdString(), format, 44100 * 60).empty());
                QVERIFY(file.write(second.data(), 44100));
            }  // cancelled: never committed
            QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).join(","), QString());
            SideFile file;
            QVERIFY(file.open((out + "/side").toStdString(), format, 44100).empty());
            QVERIFY(file.write(second.data(), 44100) && file.commit());
            QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{"side"});
            QVERIFY(QFile::remove(out + "/side"));
        }
    }
};

QTEST_APPLESS_MAIN(TestSideRender)
#include "test_side_render.moc"
