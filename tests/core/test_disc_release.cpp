// Disc IDs from tables of contents, and the disc database's answers read into releases.

#include <QtTest>

#include "core/disc_id.h"
#include "core/disc_release.h"
#include "support/musicbrainz_answers.h"

using namespace vantoli;
using namespace vantoli::test;

Q_DECLARE_METATYPE(vantoli::DiscToc)

namespace {

DiscToc knownToc()
{
    DiscToc toc;
    toc.offsets.assign(std::begin(KnownOffsets), std::end(KnownOffsets));
    toc.leadOut = KnownLeadOut;
    return toc;
}

std::optional<std::vector<DiscRelease>> parsed(const QByteArray& answer, std::size_t tracks)
{
    return parseDiscReleases(std::string_view(answer.constData(), answer.size()), KnownDiscId, tracks);
}

}  // namespace

class TestDiscRelease : public QObject {
    Q_OBJECT
private slots:
    void discIds_data()
    {
        QTest::addColumn<DiscToc>("toc");
        QTest::addColumn<QString>("id");
        // libdiscid's own test disc, and the four-track disc of the cdtoc documentation
        // (CDTOC 4+96+2D2B+6256+B327+D84A).
        QTest::newRow("22 tracks") << knownToc() << KnownDiscId;
        QTest::newRow("4 tracks") << DiscToc{1, {150, 11563, 25174, 45863}, 55370} << "nljDXdC8B_pDwbdY1vZJvdrAZI4-";
        QTest::newRow("no tracks") << DiscToc{1, {}, 1000} << "";
        QTest::newRow("offsets falling") << DiscToc{1, {150, 100}, 1000} << "";
        QTest::newRow("lead-out before the last track") << DiscToc{1, {150, 900}, 800} << "";
        QTest::newRow("past track 99") << DiscToc{99, {150, 900}, 2000} << "";
    }

    void discIds()
    {
        QFETCH(DiscToc, toc);
        QFETCH(QString, id);
        QCOMPARE(QString::fromStdString(musicBrainzDiscId(toc)), id);
    }

    // The release, its artist credit and the tracks of the medium; the service's own track lengths
    // are read but never replace the disc's.
    void oneRelease()
    {
        const QByteArray answer =
            discAnswer({{"Album", "Band", "2001-05-14", "JP", "4988", {{"CD", KnownDiscId, songTitles(3)}}}});
        const auto releases = parsed(answer, 3);
        QVERIFY(releases && releases->size() == 1);
        const DiscRelease& release = releases->front();
        QCOMPARE(release.title, std::string("Album"));
        QCOMPARE(release.artist, std::string("Band"));
        QCOMPARE(releaseYear(release), std::string("2001"));
        QCOMPARE(release.format, std::string("CD"));
        QCOMPARE(release.tracks.size(), std::size_t(3));
        QCOMPARE(release.tracks[2].title, std::string("Song 3"));
        QCOMPARE(release.tracks[2].artist, std::string("Track Artist 3"));

        TrackList disc;
        for (int i = 0; i < 4; ++i)
            disc.tracks.push_back({1000 * (i + 1), "cd-text", "", {AudioSource::Kind::CdTrack, "", 0, -1, i + 1}});
        const TrackList named = namedAfter(disc, release);
        QCOMPARE(named.album, std::string("Album"));
        QCOMPARE(named.tracks[0].title, std::string("Song 1"));
        QCOMPARE(named.tracks[0].milliseconds, 1000);             // the disc's length, not 200000
        QCOMPARE(named.tracks[0].audio, disc.tracks[0].audio);    // and its sound
        QCOMPARE(named.tracks[3].title, std::string("cd-text"));  // a track the release lacks keeps its name
    }

    // Of several releases those whose medium has as many tracks as the disc come first; of a
    // release of several discs the medium listing the disc ID is taken.
    void severalAndMultiDisc()
    {
        const QByteArray answer = discAnswer({
            {"Short", "A", "1999", "US", "1", {{"CD", KnownDiscId, songTitles(2)}}},
            {"Box",
             "B",
             "2005",
             "GB",
             "2",
             {{"CD", "other", songTitles(5, "One ")}, {"CD", KnownDiscId, songTitles(3, "Two ")}}},
            {"Digital", "C", "", "XW", "", {{"Digital Media", "", songTitles(3, "Dig ")}}},
            {"Nothing matches", "D", "", "", "", {{"CD", "other", songTitles(7)}}},
        });
        const auto releases = parsed(answer, 3);
        QVERIFY(releases);
        QCOMPARE(releases->size(), std::size_t(3));
        QCOMPARE((*releases)[0].title, std::string("Box"));
        QCOMPARE((*releases)[0].discNumber, 2);
        QCOMPARE((*releases)[0].discCount, 2);
        QCOMPARE((*releases)[0].tracks[0].title, std::string("Two 1"));
        QCOMPARE((*releases)[1].title, std::string("Digital"));  // matched by its track count
        QCOMPARE((*releases)[2].title, std::string("Short"));    // lists the disc, but fewer tracks
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("readable");
        QTest::newRow("garbage") << QByteArray("<html>busy</html>") << false;
        QTest::newRow("truncated")
            << discAnswer({{"A", "B", "", "", "", {{"CD", KnownDiscId, songTitles(3)}}}}).left(120) << false;
        QTest::newRow("array") << QByteArray("[1,2]") << false;
        QTest::newRow("error object") << QByteArray(R"({"error":"Not Found"})") << false;
        QTest::newRow("wrong types")
            << QByteArray(
                   R"({"releases":[{"title":5,"media":[{"track-count":"3","tracks":[{"title":null,"length":-4}],"discs":[{"id":"xUp1F2NkfP8s8jaeFn_Av3jNEI4-"}]}]},7]})")
            << true;
        QTest::newRow("no releases") << QByteArray(R"({"releases":[]})") << true;
    }

    void malformed()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, readable);
        QCOMPARE(parsed(answer, 3).has_value(), readable);
    }
};

QTEST_APPLESS_MAIN(TestDiscRelease)
#include "test_disc_release.moc"
