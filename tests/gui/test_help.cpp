#include <QtTest>

#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "core/entry_reading.h"
#include "core/tape_lineup.h"
#include "gui/help_window.h"
#include "support/modal_answerer.h"

using namespace vantoli;

namespace {

// The folder of the built program, where the build puts the help, and the help as written.
const QString HelpFolder = QStringLiteral(VANTOLI_HELP_DIR);
const QString HelpSource = QStringLiteral(VANTOLI_HELP_SOURCE_DIR);

QString helpPage(const QString& name) { return HelpFolder + QStringLiteral("/") + name; }

QString pageText(const QString& name)
{
    QFile file(helpPage(name));
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList pageNames() { return QDir(HelpSource).entryList({"*.html"}, QDir::Files, QDir::Name); }

QList<HelpWindow*> helpWindows(QWidget* mainWindow) { return mainWindow->findChildren<HelpWindow*>(); }

// A main window as the help command sees it: a top-level window with something to type into.
class MainWindow : public QMainWindow {
public:
    explicit MainWindow(const QRect& geometry)
    {
        entry = new QLineEdit(this);
        setCentralWidget(entry);
        setGeometry(geometry);
    }
    QLineEdit* entry;
};

}  // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void builtBesideTheProgram_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString& name : QDir(HelpSource).entryList(QDir::Files)) QTest::newRow(qPrintable(name)) << name;
    }
    // clang-format on
    void builtBesideTheProgram()
    {
        QFETCH(QString, page);
        QFile source(HelpSource + "/" + page);
        QFile copy(helpPage(page));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QVERIFY2(copy.open(QIODevice::ReadOnly), qPrintable(copy.fileName()));
        QCOMPARE(copy.readAll(), source.readAll());
    }

    // clang-format off
    void opensDefaultTopicBesideMainWindow_data()
    {
        QTest::addColumn<QRect>("mainGeometry");
        QTest::addColumn<QString>("side");
        QTest::newRow("room on the right") << QRect(0, 0, 300, 200) << "right";
        QTest::newRow("room on the left only") << QRect(420, 40, 300, 200) << "left";
        QTest::newRow("no room: over the main window") << QRect(200, 0, 400, 200) << "over";
    }
    // clang-format on
    void opensDefaultTopicBesideMainWindow()
    {
        QFETCH(QRect, mainGeometry);
        QFETCH(QString, side);
        MainWindow main(mainGeometry);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        vantoli::test::ModalAnswerer modals;

        showHelp(&main, HelpFolder);

        const QList<HelpWindow*> windows = helpWindows(&main);
        QCOMPARE(windows.size(), 1);
        HelpWindow* help = windows.first();
        QVERIFY(help->isWindow());
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        QCOMPARE(help->browser()->source(), QUrl::fromLocalFile(helpPage("index.html")));
        QCOMPARE(help->windowTitle(), QStringLiteral("Vantoli ヘルプ"));
        QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Vantoli は、オーディオ CD")));

        const QRect screen = main.screen()->availableGeometry();
        const QRect helpFrame = help->frameGeometry();
        const QRect mainFrame = main.frameGeometry();
        QVERIFY2(screen.contains(helpFrame), qPrintable(QString("help at %1,%2 %3x%4")
                                                            .arg(helpFrame.x())
                                                            .arg(helpFrame.y())
                                                            .arg(helpFrame.width())
                                                            .arg(helpFrame.height())));
        QCOMPARE(helpFrame.top(), mainFrame.top());
        if (side == "right") QCOMPARE(helpFrame.left(), mainFrame.right() + 1);
        if (side == "left") QCOMPARE(helpFrame.right(), mainFrame.left() - 1);
        if (side == "over") QVERIFY(helpFrame.intersects(mainFrame));
        QCOMPARE(modals.seen().size(), 0);
    }

    // Choosing the command again shows the default topic in the same window and brings it forward,
    // also after the window was closed.
    void commandAgainRaisesTheSameWindow()
    {
        MainWindow main(QRect(0, 0, 300, 200));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        showHelp(&main, HelpFolder);
        HelpWindow* help = helpWindows(&main).value(0);
        QVERIFY(help);

        help->browser()->setSource(QUrl::fromLocalFile(helpPage("tapes.html")));
        QCOMPARE(help->windowTitle(), QStringLiteral("テープのラインナップ - Vantoli ヘルプ"));
        help->move(help->pos() + QPoint(10, 10));
        const QPoint movedTo = help->pos();
        main.activateWindow();
        showHelp(&main, HelpFolder);
        QCOMPARE(helpWindows(&main).size(), 1);
        QCOMPARE(helpWindows(&main).first(), help);
        QCOMPARE(help->browser()->source(), QUrl::fromLocalFile(helpPage("index.html")));
        QCOMPARE(help->pos(), movedTo);
        QTRY_COMPARE(QApplication::activeWindow(), help);

        help->close();
        QVERIFY(!help->isVisible());
        showHelp(&main, HelpFolder);
        QCOMPARE(helpWindows(&main).size(), 1);
        QVERIFY(help->isVisible());
    }

    void mainWindowStaysUsable()
    {
        MainWindow main(QRect(0, 0, 300, 200));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        showHelp(&main, HelpFolder);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        main.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &main);
        main.entry->setFocus();
        QTest::keyClicks(main.entry, "431");
        QCOMPARE(main.entry->text(), QStringLiteral("431"));
        QVERIFY(helpWindows(&main).first()->isVisible());
    }

    // Without its help the command returns without a word and opens nothing.
    // clang-format off
    void missingHelpSaysNothing_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("empty folder") << "empty";
        QTest::newRow("help folder without default topic") << "no index";
        QTest::newRow("default topic is a folder") << "index folder";
    }
    // clang-format on
    void missingHelpSaysNothing()
    {
        QFETCH(QString, layout);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        if (layout == "no index") {
            QVERIFY(QFile::copy(helpPage("tapes.html"), folder.filePath("tapes.html")));
        } else if (layout == "index folder") {
            QVERIFY(QDir(folder.path()).mkpath("index.html"));
        }
        MainWindow main(QRect(0, 0, 300, 200));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QWidgetList before = QApplication::topLevelWidgets();
        vantoli::test::ModalAnswerer modals;

        showHelp(&main, folder.path());

        QTest::qWait(50);
        QCOMPARE(modals.seen().size(), 0);
        QCOMPARE(helpWindows(&main).size(), 0);
        QCOMPARE(QApplication::topLevelWidgets(), before);
    }

    // clang-format off
    void pagesRender_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString& name : pageNames()) QTest::newRow(qPrintable(name)) << name;
    }
    // clang-format on
    void pagesRender()
    {
        QFETCH(QString, page);
        QTextBrowser browser;
        browser.setSource(QUrl::fromLocalFile(helpPage(page)));
        QVERIFY(!browser.documentTitle().isEmpty());
        QVERIFY(browser.toPlainText().size() > 100);
        QVERIFY2(page == "index.html" || pageText(page).contains("href=\"index.html\""),
                 "every page leads back to the contents");
    }

    // Every link between the pages leads to a page that exists.
    // clang-format off
    void linksLeadToPages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("target");
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (const QString& name : pageNames()) {
            for (const QRegularExpressionMatch& m : href.globalMatch(pageText(name))) {
                const QString target = m.captured(1);
                QTest::addRow("%s -> %s", qPrintable(name), qPrintable(target)) << name << target;
            }
        }
    }
    // clang-format on
    void linksLeadToPages()
    {
        QFETCH(QString, page);
        QFETCH(QString, target);
        QVERIFY2(!target.contains(':'), "the help stays on its own pages");
        QVERIFY2(QFileInfo(helpPage(target.section('#', 0, 0))).isFile(), qPrintable(target));
    }

    // Every example of the entry page's table is read by the Run command as the time the table gives.
    // clang-format off
    void entryExamplesAreWhatTheProgramReads_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("entry");
        static const QRegularExpression row(
            QStringLiteral("<tr><td>([^<]+)</td><td class=\"num\"><code>([^<]+)</code></td></tr>"));
        for (const QRegularExpressionMatch& m : row.globalMatch(pageText("input.html")))
            QTest::newRow(qPrintable(m.captured(2))) << m.captured(1) << m.captured(2);
    }
    // clang-format on
    void entryExamplesAreWhatTheProgramReads()
    {
        QFETCH(QString, time);
        QFETCH(QString, entry);
        static const QRegularExpression minutesSeconds(QStringLiteral("^(?:(\\d+) 分 )?(\\d+) 秒$"));
        const QRegularExpressionMatch stated = minutesSeconds.match(time);
        QVERIFY2(stated.hasMatch(), qPrintable(time));
        const int seconds = stated.captured(1).toInt() * 60 + stated.captured(2).toInt();
        EntryTexts entries;
        entries[0] = entry.toStdString();
        const auto read = ReadTrackTimes(entries);
        QVERIFY(std::holds_alternative<TrackTimes>(read));
        QCOMPARE(std::get<TrackTimes>(read).seconds, std::vector<int>{seconds});
    }

    // The lineup in the help, written by hand, is the one the planner uses.
    void tapeLineupTable()
    {
        static const QRegularExpression row(
            QStringLiteral("<tr><td class=\"num\">(\\d+)分テープ</td><td class=\"num\">(\\d+) 分 (\\d+) 秒</td><td "
                           "class=\"num\">(\\d+)</td></tr>"));
        QList<int> minutes;
        for (const QRegularExpressionMatch& m : row.globalMatch(pageText("tapes.html"))) {
            const int tape = m.captured(1).toInt();
            minutes << tape;
            QCOMPARE(m.captured(4).toInt(), sideCapacity(tape));
            QCOMPARE(m.captured(2).toInt() * 60 + m.captured(3).toInt(), sideCapacity(tape));
        }
        QCOMPARE(minutes, QList<int>(StandardTapeMinutes.begin(), StandardTapeMinutes.end()));
    }
};

VANTOLI_GUI_TEST_MAIN(TestHelp)
#include "test_help.moc"
