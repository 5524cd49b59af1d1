#include <QLabel>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

#include "core/version_text.h"
#include "gui/fonts.h"
#include "gui/version.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"
#include "support/window_checks.h"

using namespace vantoli;
using vantoli::test::existingWindows;
using vantoli::test::shownWindows;

namespace {

const QString BuildVersion = QStringLiteral("Version 1. 10. 2000 Beta 1");

QLabel* versionLabel(QWidget* window) { return window->findChild<QLabel*>("lblVersion"); }
QPushButton* okButton(QWidget* window) { return window->findChild<QPushButton*>("cmdOK"); }

}  // namespace

class TestVersion : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }
    void cleanup() { QCOMPARE(existingWindows("Version"), 0); }

    // clang-format off
    void versionText_data()
    {
        QTest::addColumn<unsigned>("major");
        QTest::addColumn<unsigned>("minor");
        QTest::addColumn<unsigned>("revision");
        QTest::addColumn<QString>("text");
        QTest::newRow("this release") << 1u << 10u << 2000u << "Version 1. 10. 2000 Beta 1";
        QTest::newRow("one-digit minor gets a zero") << 1u << 5u << 2000u << "Version 1. 05. 2000 Beta 1";
        QTest::newRow("minor zero") << 1u << 0u << 2000u << "Version 1. 00. 2000 Beta 1";
        QTest::newRow("minor nine") << 2u << 9u << 7u << "Version 2. 09. 7 Beta 1";
        QTest::newRow("three-digit minor unchanged") << 1u << 123u << 0u << "Version 1. 123. 0 Beta 1";
        QTest::newRow("no padding of major or revision") << 10u << 99u << 5u << "Version 10. 99. 5 Beta 1";
    }
    // clang-format on
    void versionText()
    {
        QFETCH(unsigned, major);
        QFETCH(unsigned, minor);
        QFETCH(unsigned, revision);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(vantoli::versionText(major, minor, revision)), text);
    }

    void frameAndPlacement()
    {
        SingleWindow<Version> holder;
        Version* version = showVersion(holder);
        QCOMPARE(version->windowTitle(), QString("バージョン情報"));
        QCOMPARE(version->geometry(), twipsRect(2340, 1935, 5145, 2160));
        QCOMPARE(version->minimumSize(), version->maximumSize());
        QCOMPARE(version->windowFlags() &
                     (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::Tool | Qt::WindowCloseButtonHint);
        // Modeless and owned by no window; it does not keep the program running once the main window
        // is closed.
        QCOMPARE(version->parentWidget(), nullptr);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(!version->testAttribute(Qt::WA_QuitOnClose));
    }

    // With the main window shown, About opens centred over it, as the settings window does (fault: at
    // a fixed place of the screen, away from a main window moved elsewhere).
    void placedOverTheMainWindow()
    {
        auto main = vantoli::test::openWindow();
        QVERIFY(main);
        main->move(300, 150);
        SingleWindow<Version> holder;
        Version* version = showVersion(holder);
        QCOMPARE(version->size(), twipsSize(5145, 2160));
        const QPoint offset = version->frameGeometry().center() - main->frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QString("%1, %2").arg(offset.x()).arg(offset.y())));
        version->close();
    }

    void iconAndFonts()
    {
        SingleWindow<Version> holder;
        Version* version = showVersion(holder);
        QCOMPARE(version->findChild<QLabel*>("picIcon")->pixmap().size(), QSize(32, 32));
        const QFont title = version->findChild<QLabel*>("lblTitle")->font();
        const QFont line = versionLabel(version)->font();
        // Neither face is installed: both fall back to the narrow substitute, not to a wide default.
        QVERIFY2(QFontInfo(title).family().startsWith("Nimbus Sans Narrow"), qPrintable(QFontInfo(title).family()));
        QVERIFY2(QFontInfo(line).family().startsWith("Nimbus Sans Narrow"), qPrintable(QFontInfo(line).family()));
        QVERIFY(QFontInfo(title).bold());
        // The version line fits its label.
        QVERIFY(QFontMetrics(line).horizontalAdvance(BuildVersion) <= versionLabel(version)->width());
    }

    void openedTwiceIsOneWindow()
    {
        SingleWindow<Version> holder;
        Version* first = showVersion(holder);
        versionLabel(first)->setText("marker");  // shows whether the window is loaded again
        QCOMPARE(showVersion(holder), first);
        QCOMPARE(versionLabel(first)->text(), QString("marker"));
        QCOMPARE(existingWindows("Version"), 1);
        QCOMPARE(shownWindows("Version"), 1);
    }

    void focusStartsOnOk()
    {
        SingleWindow<Version> holder;
        Version* version = showVersion(holder);
        QVERIFY(QTest::qWaitForWindowActive(version));
        QCOMPARE(QApplication::focusWidget(), okButton(version));
        QVERIFY(okButton(version)->isDefault());
    }

    // OK, Enter, Esc and the close box all unload the window; opened again, it shows the same text.
    // clang-format off
    void closesAndLoadsAgain_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "OK";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("Enter on the window") << "Enter on the window";
        QTest::newRow("Esc on the window") << "Esc on the window";
        QTest::newRow("close box") << "close box";
    }
    // clang-format on
    void closesAndLoadsAgain()
    {
        QFETCH(QString, how);
        SingleWindow<Version> holder;
        Version* version = showVersion(holder);
        QVERIFY(QTest::qWaitForWindowActive(version));
        versionLabel(version)->setText("marker");
        QPushButton* ok = okButton(version);
        if (how == "OK")
            QTest::mouseClick(ok, Qt::LeftButton);
        else if (how == "Enter")
            QTest::keyClick(ok, Qt::Key_Return);
        else if (how == "Esc")
            QTest::keyClick(ok, Qt::Key_Escape);
        else if (how == "Enter on the window")
            QTest::keyClick(version, Qt::Key_Return);
        else if (how == "Esc on the window")
            QTest::keyClick(version, Qt::Key_Escape);
        else
            version->windowHandle()->close();
        QCOMPARE(holder.window(), nullptr);
        QCOMPARE(existingWindows("Version"), 0);

        version = showVersion(holder);
        QCOMPARE(versionLabel(version)->text(), BuildVersion);
        QCOMPARE(shownWindows("Version"), 1);
    }

    void holderClosesTheWindowWithIt()
    {
        QPointer<Version> version;
        {
            SingleWindow<Version> holder;
            version = showVersion(holder);
        }
        QVERIFY(version.isNull());
    }
};

VANTOLI_GUI_TEST_MAIN(TestVersion)
#include "test_version.moc"
