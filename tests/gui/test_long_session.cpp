// A long session: every window opened and closed, Run and Clear, and discs read from images, a few
// hundred times over. Afterwards the same windows exist as at the start; run under LeakSanitizer
// (scripts/test's sanitizer build) the program must also end without a leak.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/disc_image.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

int windowCount()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return static_cast<int>(QApplication::topLevelWidgets().size());
}

}  // namespace

class TestLongSession : public QObject {
    Q_OBJECT
private slots:
    void windowsAndDiscsComeAndGo()
    {
        QTemporaryDir folder;
        const std::vector<int> twelve{200, 215, 180, 305, 240, 199, 260, 188, 222, 300, 150, 175};
        std::vector<int> twentyFour;
        for (int i = 0; i < 24; ++i) twentyFour.push_back(120 + 7 * i);
        const QString shortDisc = writeDiscImage(folder.path(), audioTracks(twelve), "short");
        const QString longDisc = writeDiscImage(folder.path(), audioTracks(twentyFour), "long");
        QVERIFY(!shortDisc.isEmpty() && !longDisc.isEmpty());

        // Two discs, swapped between reads: the short one fills the entries, the long one gives the
        // long-disc report.
        auto owned = std::make_unique<FakeDevice>();
        FakeDevice* drive = owned.get();
        auto window = openWindow(std::move(owned));
        QVERIFY(window);
        const int windowsAtStart = windowCount();
        ModalAnswerer driver;  // answers every message box with OK

        constexpr int Rounds = 300;
        for (int round = 0; round < Rounds; ++round) {
            drive->insertImage(shortDisc);
            QVERIFY(readCd(*window));
            QCOMPARE(window->Tm(11)->text(), QString("255"));
            window->Run()->click();
            QVERIFY(!window->TapeType()->text().isEmpty());
            window->Clear()->click();

            drive->insertImage(longDisc);
            QVERIFY(readCd(*window));
            QVERIFY(window->reportWindow().window());
            window->reportWindow().unload();

            window->mnuSettingAll()->trigger();
            window->dialogWindow().unload();
            window->mnuHelpVersion()->trigger();
            window->versionWindow().unload();
            qputenv("VANTOLI_HELP", "/nonexistent/help");
            window->mnuHelpTopic()->trigger();  // no help pages there: nothing opens
            qunsetenv("VANTOLI_HELP");
        }
        QCOMPARE(windowCount(), windowsAtStart);
        QCOMPARE(driver.messages().size(), Rounds);  // the long disc's information box, once a round
    }
};

VANTOLI_GUI_TEST_MAIN(TestLongSession)
#include "test_long_session.moc"
