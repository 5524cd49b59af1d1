// The cassette label window on its own: what a plan fills in, editing, the live preview, a new plan
// while the window is open, and closing.

#include <QtTest>

#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include <optional>
#include <string>
#include <vector>

#include "core/label_content.h"
#include "core/tape_planner.h"
#include "gui/cassette_label.h"
#include "gui/fonts.h"
#include "gui/jcard_painter.h"
#include "gui/single_window.h"
#include "support/modal_answerer.h"

using namespace vantoli;

namespace {

MadePlan made(const std::vector<int>& seconds, bool gap, std::vector<std::string> titles = {}, std::string album = {},
              std::string artist = {})
{
    PlanOptions options;
    options.gap = gap;
    const std::optional<TapePlan> plan = PlanTape(seconds, options);
    if (!plan) qFatal("the sample must plan");
    TrackList list;
    list.album = std::move(album);
    list.artist = std::move(artist);
    for (std::string& title : titles) list.tracks.push_back(Track{0, std::move(title), {}});
    return MadePlan{*plan, seconds, gap ? 5 : 0, list};
}

const std::vector<int> SixSeconds{271, 230, 312, 245, 360, 210};

MadePlan sixTracks(bool gap = true)
{
    return made(SixSeconds, gap,
                {"夜明けのハイウェイ", "潮風", "Blue Horizon", "防波堤で待ってる", "真夏の残像", "帰り道"},
                "夏の終わりのドライブ", "海辺の楽団");
}

QStringList row(const QTableWidget* table, int r)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) cells << (table->item(r, c) ? table->item(r, c)->text() : "<none>");
    return cells;
}

// Types text as an input method hands it over: Japanese text arrives committed, not key by key.
void type(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// Types into the title cell of a row as a user does: select it, type, press Enter.
void typeTitle(QTableWidget* table, int r, const QString& text)
{
    table->setFocus();
    table->setCurrentCell(r, CassetteLabel::TitleColumn);
    table->editItem(table->item(r, CassetteLabel::TitleColumn));
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    QVERIFY2(editor, "the title cell opens an editor");
    editor->selectAll();
    type(editor, text);
    QVERIFY2(editor->isVisible(), "the editor stays open while the user types");
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits the editor's text in a queued call.
    QTRY_COMPARE(table->item(r, CassetteLabel::TitleColumn)->text(), text);
}

// The preview as shown, and the card painted straight onto an image of the same size and scale.
QImage shown(JCardPreview* preview) { return preview->grab().toImage().convertToFormat(QImage::Format_RGB32); }

QImage paintedDirectly(JCardPreview* preview, const LabelContent& label)
{
    QImage image(preview->size(), QImage::Format_RGB32);
    image.fill(preview->palette().color(QPalette::Dark));
    QPainter painter(&image);
    paintJCard(painter, label, preview->cardTopLeft(), preview->pixelsPerMm());
    painter.end();
    return image;
}

}  // namespace

class TestCassetteLabel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }

    void planFillsTheWindow()
    {
        SingleWindow<CassetteLabel> holder;
        CassetteLabel* window = showCassetteLabel(holder, sixTracks());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->objectName(), QStringLiteral("CassetteLabel"));
        QCOMPARE(QString(window->metaObject()->className()), QStringLiteral("vantoli::CassetteLabel"));
        QCOMPARE(window->windowTitle(), QStringLiteral("カセットレーベル"));
        QVERIFY(!window->isModal());

        QCOMPARE(window->txtTitle()->text(), QStringLiteral("夏の終わりのドライブ"));
        QCOMPARE(window->txtArtist()->text(), QStringLiteral("海辺の楽団"));
        QCOMPARE(window->txtNote()->text(), QString());
        QCOMPARE(window->tblSideA()->rowCount(), 3);
        QCOMPARE(window->tblSideB()->rowCount(), 3);
        QCOMPARE(row(window->tblSideA(), 0), (QStringList{"1", "夜明けのハイウェイ", "4:31", "0:00"}));
        QCOMPARE(row(window->tblSideA(), 1), (QStringList{"2", "潮風", "3:50", "4:36"}));
        QCOMPARE(row(window->tblSideA(), 2), (QStringList{"3", "Blue Horizon", "5:12", "8:31"}));
        QCOMPARE(row(window->tblSideB(), 2), (QStringList{"6", "帰り道", "3:30", "10:15"}));
        // The side plays 13:43 with its gaps; the 30-minute tape's side holds 15:45.
        QCOMPARE(window->lblSideATotal()->text(), QStringLiteral("合計 13:43　　テープの残り 2:02"));
        QCOMPARE(window->lblSideBTotal()->text(), QStringLiteral("合計 13:45　　テープの残り 2:00"));

        // Only the titles can be edited.
        for (QTableWidget* table : {window->tblSideA(), window->tblSideB()})
            for (int c = 0; c < table->columnCount(); ++c)
                QCOMPARE(bool(table->item(0, c)->flags() & Qt::ItemIsEditable), c == CassetteLabel::TitleColumn);

        QCOMPARE(window->cmdPdf()->text(), QStringLiteral("PDFに保存(&P)..."));
        QCOMPARE(window->cmdPrint()->text(), QStringLiteral("印刷(&R)..."));
        QCOMPARE(window->cmdClose()->text(), QStringLiteral("閉じる"));
        QCOMPARE(window->picPreview()->label(), window->label());
    }

    void planWithoutTitles()
    {
        SingleWindow<CassetteLabel> holder;
        CassetteLabel* window = showCassetteLabel(holder, made(SixSeconds, false));
        QCOMPARE(window->txtTitle()->text(), QString());
        QCOMPARE(row(window->tblSideA(), 0), (QStringList{"1", "", "4:31", "0:00"}));
        QCOMPARE(row(window->tblSideA(), 2), (QStringList{"3", "", "5:12", "8:21"}));
    }

    void longDiscListsEveryTrack()
    {
        std::vector<int> seconds;
        for (int i = 0; i < 50; ++i) seconds.push_back(40 + (i * 37) % 50);
        SingleWindow<CassetteLabel> holder;
        CassetteLabel* window = showCassetteLabel(holder, made(seconds, true));
        QCOMPARE(window->tblSideA()->rowCount(), 20);
        QCOMPARE(window->tblSideB()->rowCount(), 30);
        QCOMPARE(window->tblSideB()->item(29, CassetteLabel::NumberColumn)->text(), QStringLiteral("50"));
    }

    // What the user types reaches the label and the preview at once, drawn by the card's own painting.
    void editsShowInThePreview()
    {
        SingleWindow<CassetteLabel> holder;
        CassetteLabel* window = showCassetteLabel(holder, sixTracks());
        QVERIFY(QTest::qWaitForWindowActive(window));
        JCardPreview* preview = window->picPreview();
        const QImage before = shown(preview);
        QCOMPARE(before, paintedDirectly(preview, window->label()));

        typeTitle(window->tblSideA(), 1, QStringLiteral("潮風（ライブ）"));
        window->txtNote()->setFocus();
        type(window->txtNote(), QStringLiteral("TYPE II"));

        const LabelContent label = window->label();
        QCOMPARE(label.sideA.tracks[1].title, std::string("潮風（ライブ）"));
        QCOMPARE(label.note, std::string("TYPE II"));
        QCOMPARE(preview->label(), label);
        const QImage after = shown(preview);
        QVERIFY(after != before);
        QCOMPARE(after, paintedDirectly(preview, label));
    }

    // A new plan replaces the content; what was typed for the same tracks stays.
    void newPlanKeepsTypedTitles()
    {
        SingleWindow<CassetteLabel> holder;
        CassetteLabel* window = showCassetteLabel(holder, sixTracks(true));
        QVERIFY(QTest::qWaitForWindowActive(window));
        typeTitle(window->tblSideA(), 0, QStringLiteral("夜明け"));
        window->txtNote()->setText(QStringLiteral("Dolby B"));
        window->txtTitle()->setText(QStringLiteral("ドライブ用"));

        CassetteLabel* again = showCassetteLabel(holder, sixTracks(false));
        QCOMPARE(again, window);
        QCOMPARE(row(window->tblSideA(), 0), (QStringList{"1", "夜明け", "4:31", "0:00"}));
        QCOMPARE(row(window->tblSideA(), 1), (QStringList{"2", "潮風", "3:50", "4:31"}));
        QCOMPARE(window->txtTitle()->text(), QStringLiteral("ドライブ用"));
        QCOMPARE(window->txtNote()->text(), QStringLiteral("Dolby B"));
        QCOMPARE(window->picPreview()->label(), window->label());

        // Another disc: its own titles, album and artist.
        std::vector<int> other = SixSeconds;
        other[0] = 200;
        showCassetteLabel(holder, made(other, false, {"別の曲"}, "別のアルバム", "海辺の楽団"));
        QCOMPARE(row(window->tblSideA(), 0), (QStringList{"1", "別の曲", "3:20", "0:00"}));
        QCOMPARE(window->txtTitle()->text(), QStringLiteral("別のアルバム"));
        QCOMPARE(window->txtNote()->text(), QStringLiteral("Dolby B"));
    }

    void escapeAndCloseButtonClose()
    {
        SingleWindow<CassetteLabel> holder;
        CassetteLabel* window = showCassetteLabel(holder, sixTracks());
        QVERIFY(QTest::qWaitForWindowActive(window));
        // Esc in an open title editor only ends the editing.
        QTableWidget* table = window->tblSideB();
        table->setFocus();
        table->setCurrentCell(0, CassetteLabel::TitleColumn);
        table->editItem(table->item(0, CassetteLabel::TitleColumn));
        auto* editor = table->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("x"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(holder.window());
        QCOMPARE(row(table, 0)[CassetteLabel::TitleColumn], QStringLiteral("防波堤で待ってる"));

        QTest::keyClick(table, Qt::Key_Escape);
        QVERIFY(!holder.window());

        window = showCassetteLabel(holder, sixTracks());
        window->txtNote()->setFocus();
        QTest::keyClick(window->txtNote(), Qt::Key_Escape);
        QVERIFY(!holder.window());

        window = showCassetteLabel(holder, sixTracks());
        QTest::mouseClick(window->cmdClose(), Qt::LeftButton);
        QVERIFY(!holder.window());
    }
};

VANTOLI_GUI_TEST_MAIN(TestCassetteLabel)
#include "test_cassette_label.moc"
