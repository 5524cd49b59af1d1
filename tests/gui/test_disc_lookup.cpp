// The disc database asked on a CD read: only while mnuSettingOnline is ticked, from a server on
// 127.0.0.1 that answers as MusicBrainz does, fails, is busy or hangs. The read itself never fails
// because of the lookup, and the disc's lengths stay in the entries.

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "core/disc_id.h"
#include "gui/disc_lookup.h"
#include "gui/release_chooser.h"
#include "gui/tape_settings.h"
#include "gui/translation.h"
#include "support/answer_server.h"
#include "support/modal_answerer.h"
#include "support/musicbrainz_answers.h"
#include "support/open_window.h"

using namespace vantoli;
using namespace vantoli::test;

Q_DECLARE_METATYPE(QList<vantoli::test::ServedAnswer>)

namespace {

const std::vector<std::int32_t> Disc{215000, 180500, 61000};  // 3:35, 3:00, 1:01

QByteArray oneRelease(const QString& title = "Album")
{
    return discAnswer({{title, "Band", "2001-05-14", "JP", "4988", {{"CD", "", songTitles(3)}}}});
}

QStringList titles(const MainForm& window)
{
    QStringList out;
    for (const Track& track : window.trackTitles().tracks)
        out << QString::fromStdString(track.title) + " / " + QString::fromStdString(track.artist);
    return out;
}

QString status(MainForm& window)
{
    auto* bar = window.findChild<QStatusBar*>();
    return bar ? bar->currentMessage() : QString();
}

// Reads the disc and waits for the lookup, which answers later, to end.
void readDisc(MainForm& window)
{
    QVERIFY(readCd(window));
    QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<DiscLookupRun*>(), 20000);
}

// Waiting windows are left to finish by themselves; anything else is closed.
void leaveProgress(QWidget* shown)
{
    if (!qobject_cast<QProgressDialog*>(shown)) shown->close();
}

}  // namespace

class TestDiscLookup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The answers kept between reads go to a cache folder of this run's own.
        QVERIFY(home_.isValid());
        qputenv("HOME", home_.path().toUtf8());
    }

    void init()
    {
        QDir(home_.path()).removeRecursively();
        QDir().mkpath(home_.path());
    }

    // Unticked at the first start: a read asks nobody. Ticked, it is kept for the next start.
    void offByDefaultAndKept()
    {
        AnswerServer server({{200, oneRelease()}});
        qputenv("VANTOLI_MUSICBRAINZ_URL", server.baseUrl());
        {
            auto window = openWindow(std::make_unique<FakeDevice>(Disc));
            QVERIFY(window);
            QVERIFY(window->mnuSettingOnline()->isCheckable());
            QVERIFY(!window->mnuSettingOnline()->isChecked());
            readDisc(*window);
            QCOMPARE(window->Tm(0)->text(), "335");
            QTest::qWait(50);
            QCOMPARE(server.requests().size(), 0);
            QVERIFY(!window->findChild<QStatusBar*>());
            window->mnuSettingOnline()->trigger();
        }
        QVERIFY(loadOnlineLookup());
        auto window = openWindow(std::make_unique<FakeDevice>(Disc));
        QVERIFY(window->mnuSettingOnline()->isChecked());
        window->mnuSettingOnline()->trigger();
        QVERIFY(!loadOnlineLookup());
    }

    // One release: its titles, the disc's lengths, a request as the service wants it; a second read
    // of the same disc is answered from the cache.
    void oneReleaseNamesTheTracks()
    {
        AnswerServer server({{200, oneRelease()}});
        qputenv("VANTOLI_MUSICBRAINZ_URL", server.baseUrl());
        ModalAnswerer answerer;
        answerer.answerOther = leaveProgress;
        auto window = openWindow(std::make_unique<FakeDevice>(Disc));
        window->mnuSettingOnline()->setChecked(true);
        readDisc(*window);

        QCOMPARE(titles(*window),
                 (QStringList{"Song 1 / Track Artist 1", "Song 2 / Track Artist 2", "Song 3 / Track Artist 3"}));
        QCOMPARE(window->trackTitles().album, std::string("Album"));
        QCOMPARE(window->Tm(0)->text(), "335");  // not the service's 200 000 ms
        QCOMPARE(window->trackTitles().tracks[1].milliseconds, 180500);
        QCOMPARE(status(*window), "MusicBrainz から曲名を読み込みました。");
        // The status line follows a change of language, as every other text does.
        useLanguage(Language::English);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(status(*window), "Titles read from MusicBrainz.");
        useLanguage(Language::Japanese);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(status(*window), "MusicBrainz から曲名を読み込みました。");
        QCOMPARE(server.requests().size(), 1);
        QVERIFY(fakeDrive(*window).toc().offsets.empty());  // the drive was closed again
        fakeDrive(*window).open();
        const QString id = QString::fromStdString(musicBrainzDiscId(fakeDrive(*window).toc()));
        fakeDrive(*window).close();
        QCOMPARE(id.size(), 28);
        QCOMPARE(server.requests()[0].path, "/ws/2/discid/" + id.toUtf8() + "?fmt=json&inc=recordings+artist-credits");
        QVERIFY(server.requests()[0].userAgent.startsWith("Vantoli/1.10.2000 ("));
        QVERIFY(server.requests()[0].userAgent.contains("https://"));
        QVERIFY(answerer.messages().isEmpty());

        window->Clear()->click();
        readDisc(*window);
        QCOMPARE(server.requests().size(), 1);
        QCOMPARE(titles(*window).value(0), "Song 1 / Track Artist 1");
    }

    // Whatever goes wrong, the read goes on with the disc's own times and the status says why.
    void failuresLeaveTheRead_data()
    {
        QTest::addColumn<QList<ServedAnswer>>("answers");
        QTest::addColumn<bool>("serverUp");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("requests");
        QTest::newRow("404") << QList<ServedAnswer>{{404, R"({"error":"Not Found"})"}} << true
                             << "MusicBrainz にこのCDは見つかりませんでした。" << 1;
        QTest::newRow("no release with the disc") << QList<ServedAnswer>{{200, R"({"releases":[]})"}} << true
                                                  << "MusicBrainz にこのCDは見つかりませんでした。" << 1;
        QTest::newRow("garbage") << QList<ServedAnswer>{{200, "<html>oops"}} << true
                                 << "MusicBrainz の応答を読み取れませんでした。曲名は調べていません。" << 1;
        QTest::newRow("503 twice") << QList<ServedAnswer>{{503, ""}, {503, ""}} << true
                                   << "MusicBrainz に接続できませんでした。曲名は調べていません。" << 2;
        QTest::newRow("no server") << QList<ServedAnswer>{} << false
                                   << "MusicBrainz に接続できませんでした。曲名は調べていません。" << 0;
        // Nobody presses Cancel in the waiting window but the answerer, which closes it: while the
        // request waits for its turn (-1: whether it went out is not asked) or for its answer.
        QTest::newRow("hang, cancelled") << QList<ServedAnswer>{{200, "", true}} << true << "曲名の検索を中止しました。"
                                         << -1;
    }

    void failuresLeaveTheRead()
    {
        QFETCH(QList<ServedAnswer>, answers);
        QFETCH(bool, serverUp);
        QFETCH(QString, status);
        QFETCH(int, requests);
        QByteArray url;
        auto server = std::make_unique<AnswerServer>(answers);
        url = server->baseUrl();
        if (!serverUp) server.reset();
        qputenv("VANTOLI_MUSICBRAINZ_URL", url);
        ModalAnswerer answerer;
        const bool hang = !answers.isEmpty() && answers.front().hang;
        if (!hang) answerer.answerOther = leaveProgress;
        auto window = openWindow(std::make_unique<FakeDevice>(Disc));
        window->mnuSettingOnline()->setChecked(true);
        readDisc(*window);

        QCOMPARE(window->Tm(2)->text(), "101");
        QCOMPARE(window->trackTitles().tracks.size(), std::size_t(3));
        QCOMPARE(window->trackTitles().tracks[0].title, std::string());
        QCOMPARE(::status(*window), status);
        QVERIFY(answerer.messages().isEmpty());
        if (server && requests >= 0) QCOMPARE(server->requests().size(), requests);
        if (hang) QCOMPARE(answerer.seen().size(), 1);  // the waiting window, answered with its Cancel

        // "Not found" is kept like an answer: the same disc is not asked for again.
        if (status.contains("見つかりません")) {
            readDisc(*window);
            QCOMPARE(server->requests().size(), requests);
            QCOMPARE(::status(*window), status);
        }
    }

    // A busy service is asked once more, not sooner than a second after the first request.
    void busyIsAskedAgainAfterASecond()
    {
        AnswerServer server({{503, ""}, {200, oneRelease("Second try")}});
        qputenv("VANTOLI_MUSICBRAINZ_URL", server.baseUrl());
        ModalAnswerer answerer;
        answerer.answerOther = leaveProgress;
        auto window = openWindow(std::make_unique<FakeDevice>(Disc));
        window->mnuSettingOnline()->setChecked(true);
        readDisc(*window);
        QCOMPARE(window->trackTitles().album, std::string("Second try"));
        QCOMPARE(server.requests().size(), 2);
        QVERIFY(server.requests()[1].atMs - server.requests()[0].atMs >= 990);
    }

    // Several releases: the chooser lists them, those of the disc's track count first; the one
    // chosen names the tracks, and a cancelled choice leaves them as they were.
    void severalReleasesAreOffered()
    {
        AnswerServer server(
            {{200, discAnswer({
                       {"Box", "B", "2005", "GB", "111", {{"CD", "", songTitles(9)}, {"CD", "", songTitles(5)}}},
                       {"First", "A", "1999-01-01", "US", "222", {{"CD", "", songTitles(3, "First ")}}},
                       {"Second", "A", "2010", "JP", "333", {{"CD", "", songTitles(3, "Second ")}}},
                   })}});
        qputenv("VANTOLI_MUSICBRAINZ_URL", server.baseUrl());
        ModalAnswerer answerer;
        QStringList rows;
        answerer.answerOther = [&](QWidget* shown) {
            auto* chooser = qobject_cast<ReleaseChooser*>(shown);
            if (!chooser) return leaveProgress(shown);
            QTableWidget* table = chooser->tblReleases();
            for (int row = 0; row < table->rowCount(); ++row)
                rows << table->item(row, 1)->text() + " " + table->item(row, 2)->text() + " " +
                            table->item(row, 6)->text();
            table->selectRow(1);
            chooser->cmdOK()->click();
        };
        auto window = openWindow(std::make_unique<FakeDevice>(Disc));
        window->mnuSettingOnline()->setChecked(true);
        readDisc(*window);
        QCOMPARE(rows, (QStringList{"First 1999 3", "Second 2010 3"}));
        QCOMPARE(titles(*window).value(0), "Second 1 / Track Artist 1");

        answerer.answerOther = [](QWidget* shown) {
            if (auto* chooser = qobject_cast<ReleaseChooser*>(shown)) chooser->cmdCancel()->click();
        };
        readDisc(*window);  // from the cache this time
        QCOMPARE(server.requests().size(), 1);
        QCOMPARE(window->trackTitles().tracks[0].title, std::string());
        QCOMPARE(window->Tm(0)->text(), "335");
    }

    // Answers that are not the service's: neither used nor cached, each with a message of its own; the
    // window never waits past the deadline, even for headers that never end (which froze it for 5 s).
    void answersNotTheServicesAreRefused_data()
    {
        QTest::addColumn<QList<ServedAnswer>>("answers");
        QTest::addColumn<QString>("status");
        QTest::newRow("releases none can read")
            << QList<ServedAnswer>{{200, R"({"releases":[{"title":1},{"media":"x"}]})"}}
            << "MusicBrainz の応答を読み取れませんでした。曲名は調べていません。";
        QTest::newRow("redirect to another host")
            << QList<ServedAnswer>{{302, "", false, "Location: http://localhost:9/ws/2/discid/x\r\n"}}
            << "MusicBrainz の応答が別のサーバーへの転送だったため、断りました。曲名は調べていません。";
        QTest::newRow("redirect to https") << QList<ServedAnswer>{{302, "", false, "Location: https://127.0.0.1/x\r\n"}}
                                           << "MusicBrainz の応答が別のサーバーへの転送だったため、断りました。曲名は調べていません。";
        QTest::newRow("5 MB") << QList<ServedAnswer>{{200, QByteArray(5 << 20, ' ')}}
                              << "MusicBrainz の応答が大きすぎます。曲名は調べていません。";
        // Cancelled in the waiting window: the lookup ends at once, nothing waiting on the reply.
        QTest::newRow("endless headers, cancelled") << QList<ServedAnswer>{{200, "", false, "", true}}
                                                    << "曲名の検索を中止しました。";
    }
    void answersNotTheServicesAreRefused()
    {
        QFETCH(QList<ServedAnswer>, answers);
        QFETCH(QString, status);
        AnswerServer server(answers);
        qputenv("VANTOLI_MUSICBRAINZ_URL", server.baseUrl());
        ModalAnswerer answerer;
        if (!answers.front().endlessHeaders) answerer.answerOther = leaveProgress;
        auto window = openWindow(std::make_unique<FakeDevice>(Disc));
        window->mnuSettingOnline()->setChecked(true);
        readDisc(*window);
        QCOMPARE(::status(*window), status);
        QCOMPARE(window->trackTitles().tracks[0].title, std::string());
        QCOMPARE(window->Tm(0)->text(), "335");
        // Nothing was kept: the next read asks again.
        const qsizetype asked = server.requests().size();
        server.setAnswers({{200, oneRelease()}});
        answerer.answerOther = leaveProgress;
        readDisc(*window);
        QCOMPARE(server.requests().size(), asked + 1);
        QCOMPARE(titles(*window).value(0), "Song 1 / Track Artist 1");
    }

private:
    QTemporaryDir home_;
};

VANTOLI_GUI_TEST_MAIN(TestDiscLookup)
#include "test_disc_lookup.moc"
