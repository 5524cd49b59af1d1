// The main window as it opens: frame, controls and their places, captions, menus, fonts, focus.

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "support/modal_answerer.h"
#include "support/open_window.h"

#include "icons/vantoli.xpm"

using namespace vantoli;
using vantoli::test::openWindow;

namespace {

QWidget* control(MainForm& window, const QString& name)
{
    return window.centralWidget()->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

QList<QLabel*> resultLabels(MainForm& w)
{
    QList<QLabel*> labels{w.TapeType(),   w.sideATotal(), w.aBlankTime(), w.sideBTotal(),
                          w.bBlankTime(), w.timeTotal(),  w.tBlankTime()};
    for (int i = 0; i < EntryCount; ++i) labels << w.A(i) << w.B(i);
    return labels;
}

}  // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    // Where the system font is the generic sans-serif, the menus draw their Japanese with the window
    // font's face, not with a second Japanese face of several megabytes that fontconfig would find.
    // First, before any font is resolved and kept in Qt's cache; the substitution stays for the other
    // tests, which look at the client area's font only.
    void menusShareTheWindowFontsFace()
    {
        if (QGuiApplication::font().family().compare(QLatin1String("Sans Serif"), Qt::CaseInsensitive) != 0)
            QSKIP("the system names a font of its own");
        registerFontSubstitutions();
        drawGenericFamilyWithWindowFace();
        auto window = openWindow();
        QVERIFY(window);
        QCOMPARE(QFontInfo(window->menuBar()->font()).family(), QFontInfo(windowFont()).family());
    }

    void clientAreaIs441By285UnderTheMenuBar()
    {
        auto window = openWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Vantoli"));
        QCOMPARE(window->centralWidget()->size(), QSize(441, 285));
        QCOMPARE(window->centralWidget()->y(), window->menuBar()->geometry().bottom() + 1);
        QCOMPARE(window->size(), QSize(441, 285 + window->menuBar()->height()));
    }

    // Pixel places worked out by hand from the twips of the layout (÷ 15).
    // clang-format off
    void controlGeometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("Label1") << "Label1" << QRect(24, 8, 33, 17);
        QTest::newRow("Label5 tenth") << "Label5_9" << QRect(32, 248, 17, 17);
        QTest::newRow("Label5 right column") << "Label5_10" << QRect(136, 32, 17, 17);
        QTest::newRow("Tm first") << "Tm_0" << QRect(64, 32, 49, 18);
        QTest::newRow("Tm last") << "Tm_19" << QRect(168, 248, 49, 18);
        QTest::newRow("TapeType") << "TapeType" << QRect(344, 8, 65, 17);
        QTest::newRow("sideATotal") << "sideATotal" << QRect(320, 56, 49, 17);
        QTest::newRow("A tenth") << "A_9" << QRect(392, 80, 17, 17);
        QTest::newRow("A second row") << "A_10" << QRect(248, 96, 17, 17);
        QTest::newRow("B last") << "B_19" << QRect(392, 168, 17, 17);
        QTest::newRow("tBlankTime") << "tBlankTime" << QRect(368, 200, 41, 17);
        QTest::newRow("Run") << "Run" << QRect(240, 240, 81, 25);
        QTest::newRow("Clear") << "Clear" << QRect(336, 240, 81, 25);
    }
    // clang-format on
    void controlGeometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        auto window = openWindow();
        QVERIFY(window);
        QWidget* widget = control(*window, name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->geometry(), pixels);
        QVERIFY(widget->isVisible());
    }

    void everyControlExistsOnce()
    {
        auto window = openWindow();
        QVERIFY(window);
        QWidget* client = window->centralWidget();
        const auto labels = client->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        const auto boxes = client->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
        const auto buttons = client->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
        // 11 single labels (Label1..4, Label6..12), Label5, A and B arrays, TapeType, six time labels.
        QCOMPARE(labels.size(), 11 + 3 * 20 + 1 + 6);
        QCOMPARE(boxes.size(), 20);
        QCOMPARE(buttons.size(), 2);
        QSet<QString> names;
        for (QObject* o : client->children()) names.insert(o->objectName());
        QCOMPARE(names.size(), labels.size() + boxes.size() + buttons.size());
        for (int i = 0; i < EntryCount; ++i) {
            QCOMPARE(window->Tm(i)->objectName(), QStringLiteral("Tm_%1").arg(i));
            QCOMPARE(window->A(i)->objectName(), QStringLiteral("A_%1").arg(i));
            QCOMPARE(window->B(i)->objectName(), QStringLiteral("B_%1").arg(i));
            QCOMPARE(window->Label5(i)->objectName(), QStringLiteral("Label5_%1").arg(i));
        }
    }

    // clang-format off
    void labelCaptionsAndStyles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("bordered");
        QTest::addColumn<int>("horizontal");
        const int left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
        QTest::newRow("Label1") << "Label1" << "トラック" << false << centre;
        QTest::newRow("Label2") << "Label2" << "タイム" << false << centre;
        QTest::newRow("Label3") << "Label3" << "トラック" << false << centre;
        QTest::newRow("Label4") << "Label4" << "タイム" << false << centre;
        QTest::newRow("Label5 first") << "Label5_0" << "1" << true << right;
        QTest::newRow("Label5 eleventh") << "Label5_10" << "11" << true << right;
        QTest::newRow("Label5 last") << "Label5_19" << "20" << true << right;
        QTest::newRow("Label6") << "Label6" << "使用するテープ ：" << false << left;
        QTest::newRow("TapeType") << "TapeType" << "" << true << right;
        QTest::newRow("Label12") << "Label12" << "構成案" << false << left;
        QTest::newRow("Label10") << "Label10" << "トータル" << false << centre;
        QTest::newRow("Label11") << "Label11" << "ブランク" << false << centre;
        QTest::newRow("Label7") << "Label7" << "A 面" << true << centre;
        QTest::newRow("Label8") << "Label8" << "B 面" << true << centre;
        QTest::newRow("Label9") << "Label9" << "合 計" << true << centre;
        QTest::newRow("sideATotal") << "sideATotal" << "" << true << right;
        QTest::newRow("aBlankTime") << "aBlankTime" << "" << true << right;
        QTest::newRow("sideBTotal") << "sideBTotal" << "" << true << right;
        QTest::newRow("bBlankTime") << "bBlankTime" << "" << true << right;
        QTest::newRow("timeTotal") << "timeTotal" << "" << true << right;
        QTest::newRow("tBlankTime") << "tBlankTime" << "" << true << right;
        QTest::newRow("A cell") << "A_7" << "" << true << right;
        QTest::newRow("B cell") << "B_13" << "" << true << right;
    }
    // clang-format on
    void labelCaptionsAndStyles()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, bordered);
        QFETCH(int, horizontal);
        auto window = openWindow();
        QVERIFY(window);
        auto* label = qobject_cast<QLabel*>(control(*window, name));
        QVERIFY2(label, qPrintable(name));
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->frameShape(), bordered ? QFrame::Box : QFrame::NoFrame);
        if (bordered) {
            QCOMPARE(label->frameShadow(), QFrame::Plain);
            QCOMPARE(label->frameWidth(), 1);
        }
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), horizontal);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    // clang-format off
    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("Run") << "Run" << "実行(&R)" << "タイムを計測して構成案を表示します";
        QTest::newRow("Clear") << "Clear" << "クリア(&C)" << "入力した値を全てクリアします";
    }
    // clang-format on
    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        auto window = openWindow();
        QVERIFY(window);
        auto* button = qobject_cast<QPushButton*>(control(*window, name));
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), toolTip);
        QVERIFY(!button->isDefault());  // Enter in an entry box does not run anything
    }

    void startsEmptyWithBothOptionsTicked()
    {
        auto window = openWindow();
        QVERIFY(window);
        for (int i = 0; i < EntryCount; ++i) {
            QCOMPARE(window->Tm(i)->text(), QString());
            QCOMPARE(window->Label5(i)->text(), QString::number(i + 1));
        }
        for (QLabel* label : resultLabels(*window)) QVERIFY2(label->text().isEmpty(), qPrintable(label->objectName()));
        QVERIFY(window->mnuSettingCD()->isChecked());
        QVERIFY(window->mnuSetting5sec()->isChecked());
        QCOMPARE(window->cdTrackCount, 0);
    }

    // clang-format off
    void menus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("items");  // name, caption ("-" for a line), "ticked" when ticked
        QTest::newRow("file") << "mnuFile" << "ファイル(&F)"
                              << QStringList{"mnuFileReadCD CDから読み取り(&R)",
                                             "mnuFileReadFiles 音声ファイルから読み取り(&M)...",
                                             "mnuFileReadFolder フォルダーから読み取り(&F)...",
                                             "mnuFilePaste 曲リストを貼り付け...",
                                             "mnuFileBar1 -",
                                             "mnuFileOpen 保存していたパターンを開く(&O)...",
                                             "mnuFileSave 入力状態を保存(&S)...",
                                             "mnuFileOpenTape テープを開く(&T)...",
                                             "mnuFileSaveTape テープを保存(&V)...",
                                             "mnuFileRecent 最近使ったテープ(&U)",
                                             "mnuFileLabel カセットレーベルを作成(&L)...",
                                             "mnuFileDub テープにダビング(&D)...",
                                             "mnuFileDeckCheck デッキの点検(&K)...",
                                             "mnuFileSeveral 複数のテープに分ける(&M)...",
                                             "mnuFileBar2 -",
                                             "mnuExit アプリケーションの終了(&X)"};
        QTest::newRow("setting") << "mnuSetting" << "設定(&S)"
                                 << QStringList{"mnuSettingCD オリジナルの曲順にこだわる ticked",
                                                "mnuSetting5sec 曲の間に 5秒のブランクをいれる ticked",
                                                "mnuSettingOptimal 最短のテープを探す（曲の組み合わせを最適化）",
                                                "mnuSettingOnline CDの曲名をインターネットで調べる（MusicBrainz）",
                                                "mnuSettingBar1 -",
                                                "mnuSettingAll 一括設定(&A)...",
                                                "mnuSettingTapes テープの種類(&T)...",
                                                "mnuSettingBar2 -",
                                                "mnuSettingLanguage 言語 (Language)"};
        QTest::newRow("help") << "mnuHelp" << "ヘルプ(&H)"
                              << QStringList{"mnuHelpTopic トピック(&T)...",
                                             "mnuHelpBar1 -",
                                             "mnuHelpVersion バージョン情報(&A)"};
    }
    // clang-format on
    void menus()
    {
        QFETCH(QString, menu);
        QFETCH(QString, caption);
        QFETCH(QStringList, items);
        auto window = openWindow();
        QVERIFY(window);
        const QList<QAction*> bar = window->menuBar()->actions();
        QCOMPARE(bar.size(), 3);
        const int position = QStringList{"mnuFile", "mnuSetting", "mnuHelp"}.indexOf(menu);
        QMenu* m = bar.at(position)->menu();
        QVERIFY(m);
        QCOMPARE(m->objectName(), menu);
        QCOMPARE(m->title(), caption);

        QStringList shown;
        for (QAction* item : m->actions()) {
            QVERIFY(item->shortcut().isEmpty());
            QString row = item->objectName() + ' ' + (item->isSeparator() ? QStringLiteral("-") : item->text());
            if (item->isCheckable() && item->isChecked()) row += QStringLiteral(" ticked");
            shown << row;
        }
        QCOMPARE(shown, items);
    }

    void clientControlsUseTheWindowFont()
    {
        auto window = openWindow();
        QVERIFY(window);
        // "MS UI Gothic" where it is installed, else the IPA font standing in for it.
        const QStringList windowFamilies =
            QStringList{"MS UI Gothic"} + QFont::substitutes(QStringLiteral("MS UI Gothic"));
        for (QWidget* widget : window->centralWidget()->findChildren<QWidget*>()) {
            const QFont font = widget->font();
            QVERIFY2(windowFamilies.contains(font.family(), Qt::CaseInsensitive), qPrintable(font.family()));
            QCOMPARE(font.pointSizeF(), 9.0);
            QCOMPARE(font.weight(), QFont::Normal);
        }
        const QString drawn = QFontInfo(window->Tm(0)->font()).family();
        QVERIFY2(drawn == "MS UI Gothic" || drawn.startsWith(QLatin1String("IPA")), qPrintable(drawn));
    }

    void focusStartsInTheFirstEntry()
    {
        auto window = openWindow();
        QVERIFY(window);
        QCOMPARE(QApplication::focusWidget(), window->Tm(0));
    }

    void tabWalksEntriesThenRunThenClear()
    {
        auto window = openWindow();
        QVERIFY(window);
        QList<QWidget*> expected;
        for (int i = 1; i < EntryCount; ++i) expected << window->Tm(i);
        expected << window->Run() << window->Clear() << window->Tm(0);
        QList<QWidget*> visited;
        for (int n = 0; n < expected.size(); ++n) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited, expected);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), window->Clear());
    }

    // clang-format off
    void resizingLeavesTheControlsInPlace_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("enlarged") << QSize(900, 700);
        QTest::newRow("shrunk") << QSize(200, 120);
    }
    // clang-format on
    void resizingLeavesTheControlsInPlace()
    {
        QFETCH(QSize, size);
        auto window = openWindow();
        QVERIFY(window);
        QList<QRect> before;
        const auto controls = window->centralWidget()->findChildren<QWidget*>();
        for (QWidget* w : controls) before << w->geometry();
        window->resize(size);
        QTRY_COMPARE(window->size(), size);
        QCOMPARE(window->centralWidget()->width(), size.width());
        for (int i = 0; i < controls.size(); ++i) QCOMPARE(controls[i]->geometry(), before[i]);
    }

    void iconIsA32By32SixteenColourPicture()
    {
        const QImage icon = QPixmap(vantoli_xpm).toImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) colours.insert(icon.pixel(x, y));
        QVERIFY(colours.size() <= 16);

        // The disc fills the upper left, the cassette the lower right; a red arrow points away from
        // each: to the right from the disc, to the left from the cassette.
        auto redIn = [&](QRect area) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (icon.pixel(x, y) == qRgb(255, 0, 0)) return true;
            return false;
        };
        QVERIFY(qAlpha(icon.pixel(4, 8)) == 255 && qAlpha(icon.pixel(24, 24)) == 255);
        QVERIFY(redIn(QRect(19, 0, 13, 16)));
        QVERIFY(redIn(QRect(0, 18, 12, 14)));
        QVERIFY(!redIn(QRect(0, 0, 18, 18)));
        QVERIFY(!redIn(QRect(12, 18, 20, 14)));
        // The right arrow's tip is at its right end, the left arrow's at its left end.
        QCOMPARE(icon.pixel(31, 8), qRgb(255, 0, 0));
        QCOMPARE(icon.pixel(0, 24), qRgb(255, 0, 0));

        auto window = openWindow();
        QVERIFY(window);
        QVERIFY(window->windowIcon().availableSizes().contains(QSize(32, 32)));
    }
};

VANTOLI_GUI_TEST_MAIN(TestMainForm)
#include "test_main_form.moc"
