// The cassette label as PDF and on a printer, read back with poppler's tools: the page, the fonts,
// the text and where it lies, and the lines to cut and fold along.

#include <QtTest>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/label_content.h"
#include "core/tape_counter.h"
#include "core/tape_planner.h"
#include "gui/fonts.h"
#include "gui/jcard_output.h"
#include "gui/jcard_painter.h"
#include "gui/print_loader.h"
#include "support/file_size_limit.h"
#include "support/modal_answerer.h"

using namespace vantoli;
using vantoli::test::FileSizeLimit;

namespace {

constexpr double MmPerPt = 25.4 / 72.0;

// Runs one of poppler's tools and gives what it wrote; fails the test when it cannot run.
QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s failed (poppler-utils is installed by scripts/setup): %s", qPrintable(program),
                 process.readAllStandardError().constData());
        return QByteArray();
    }
    return process.readAllStandardOutput();
}

struct Word {
    QString text;
    QRectF box;  // millimetres from the page's top-left corner
};

struct Page {
    QSizeF size;  // millimetres
    std::vector<Word> words;
};

QString unescaped(QString s)
{
    return s.replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&quot;", "\"")
        .replace("&apos;", "'")
        .replace("&amp;", "&");
}

// The words of the first page with their boxes, from pdftotext -bbox.
Page wordsOf(const QString& pdf)
{
    const QString html = QString::fromUtf8(run("pdftotext", {"-bbox", pdf, "-"}));
    Page page;
    const QRegularExpression pageTag(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
    if (const auto m = pageTag.match(html); m.hasMatch())
        page.size = QSizeF(m.captured(1).toDouble() * MmPerPt, m.captured(2).toDouble() * MmPerPt);
    const QRegularExpression wordTag(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = wordTag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble() * MmPerPt, m.captured(2).toDouble() * MmPerPt);
        const QPointF bottomRight(m.captured(3).toDouble() * MmPerPt, m.captured(4).toDouble() * MmPerPt);
        page.words.push_back(Word{unescaped(m.captured(5)), QRectF(topLeft, bottomRight)});
    }
    return page;
}

// The card's top-left corner on a page of this size, when the card is in the middle.
QPointF cardCorner(QSizeF page)
{
    return QPointF((page.width() - JCard::Width) / 2, (page.height() - JCard::Height) / 2);
}

bool inside(const QRectF& box, const QRectF& panel)
{
    constexpr double slack = 0.05;
    return box.left() >= panel.left() - slack && box.right() <= panel.right() + slack &&
           box.top() >= panel.top() - slack && box.bottom() <= panel.bottom() + slack;
}

LabelContent labelOf(const std::vector<int>& seconds, std::vector<std::string> titles, std::string album,
                     std::string artist, bool gap = true)
{
    PlanOptions options;
    options.gap = gap;
    const std::optional<TapePlan> plan = PlanTape(seconds, options);
    if (!plan) qFatal("the sample must plan");
    TrackList list;
    list.album = std::move(album);
    list.artist = std::move(artist);
    for (std::string& title : titles) list.tracks.push_back(Track{0, std::move(title), {}, {}});
    return labelContent(MadePlan{*plan, seconds, gap ? 5 : 0, list});
}

const std::vector<std::string> SixTitles{"夜明けのハイウェイ", "潮風",       "Blue Horizon",
                                         "防波堤で待ってる",   "真夏の残像", "帰り道"};

LabelContent sixTracks()
{
    LabelContent label = labelOf({271, 230, 312, 245, 360, 210}, SixTitles, "夏の終わりのドライブ", "海辺の楽団");
    label.note = "TYPE II Dolby B 2024-08-31";
    return label;
}

// Forty tracks of two minutes: twenty on each side of the 90-minute tape.
LabelContent twentyTracksASide()
{
    std::vector<int> seconds(40, 120);
    std::vector<std::string> titles;
    for (int i = 1; i <= 40; ++i) titles.push_back("第" + std::to_string(i) + "曲 春の小川");
    return labelOf(seconds, titles, "四十曲", "合唱団");
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read>");
}

// The middle of each run of neighbouring indexes, in pixels.
QList<double> runCentres(const QList<int>& indexes)
{
    QList<double> centres;
    for (qsizetype i = 0; i < indexes.size();) {
        qsizetype j = i;
        while (j + 1 < indexes.size() && indexes[j + 1] == indexes[j] + 1) ++j;
        centres << (indexes[i] + indexes[j]) / 2.0;
        i = j + 1;
    }
    return centres;
}

// The lines a page shows, found in its pixels: the cut line's sides and the full-width lines, solid
// or dashed, in millimetres from the page's top-left corner.
struct Lines {
    QList<double> verticalCut;
    QList<double> solid;
    QList<double> dashed;
};

Lines linesOf(const QString& pdf, const QString& folder)
{
    constexpr int dpi = 400;
    const QString base = folder + "/page";
    run("pdftoppm", {"-r", QString::number(dpi), "-gray", "-singlefile", pdf, base});
    const QImage image = QImage(base + ".pgm").convertToFormat(QImage::Format_Grayscale8);
    Lines lines;
    if (image.isNull()) return lines;
    const double mmPerPixel = 25.4 / dpi;
    auto dark = [&image](int x, int y) { return image.constScanLine(y)[x] < 170; };

    // The card's sides: columns with a dark run as long as most of the card.
    const int cardRun = static_cast<int>(JCard::Height * 0.9 / mmPerPixel);
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        int run = 0;
        int longest = 0;
        for (int y = 0; y < image.height(); ++y) longest = std::max(longest, run = dark(x, y) ? run + 1 : 0);
        if (longest >= cardRun) columns << x;
    }
    for (double c : runCentres(columns)) lines.verticalCut << (c + 0.5) * mmPerPixel;
    if (lines.verticalCut.size() != 2) return lines;

    // Rows across the card: a solid line darkens nearly all of it, a dashed line about two thirds in
    // many short pieces.
    const int left = static_cast<int>(lines.verticalCut[0] / mmPerPixel) + 4;
    const int right = static_cast<int>(lines.verticalCut[1] / mmPerPixel) - 4;
    QList<int> solidRows;
    QList<int> dashedRows;
    for (int y = 0; y < image.height(); ++y) {
        int count = 0;
        int pieces = 0;
        for (int x = left; x <= right; ++x) {
            if (!dark(x, y)) continue;
            ++count;
            if (x == left || !dark(x - 1, y)) ++pieces;
        }
        const double share = double(count) / (right - left + 1);
        if (share > 0.98) solidRows << y;
        if (share > 0.5 && share < 0.85 && pieces >= 25) dashedRows << y;
    }
    for (double c : runCentres(solidRows)) lines.solid << (c + 0.5) * mmPerPixel;
    for (double c : runCentres(dashedRows)) lines.dashed << (c + 0.5) * mmPerPixel;
    return lines;
}

QString described(const QList<double>& values)
{
    QStringList parts;
    for (double v : values) parts << QString::number(v, 'f', 2);
    return parts.join(", ");
}

}  // namespace

class TestJCardPdf : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

    QString saved(const LabelContent& label, const QString& name)
    {
        const QString file = path(name);
        const std::optional<Message> failure = saveJCardPdf(file, label);
        if (failure) qWarning("%s", failure->text.c_str());
        return failure ? QString() : file;
    }

    // Every word lies inside one panel of the card, and no two words of the card overlap; the line that
    // says how to cut and fold is the only text outside the card, under it.
    void checkWordsInPanels(const Page& page)
    {
        const QPointF corner = cardCorner(page.size);
        const QRectF panels[] = {frontPanel().translated(corner), spinePanel().translated(corner),
                                 flapPanel().translated(corner)};
        const double cardBottom = corner.y() + JCard::Height;
        std::vector<const Word*> onCard;
        for (const Word& word : page.words) {
            if (word.box.top() > cardBottom) {
                QVERIFY2(word.box.top() < cardBottom + 12, qPrintable(word.text));
                continue;
            }
            bool placed = false;
            for (const QRectF& panel : panels) placed = placed || inside(word.box, panel);
            QVERIFY2(placed, qPrintable(QString("%1 at %2,%3 %4x%5 mm")
                                            .arg(word.text)
                                            .arg(word.box.left() - corner.x())
                                            .arg(word.box.top() - corner.y())
                                            .arg(word.box.width())
                                            .arg(word.box.height())));
            onCard.push_back(&word);
        }
        for (std::size_t i = 0; i < onCard.size(); ++i)
            for (std::size_t j = i + 1; j < onCard.size(); ++j) {
                const QRectF overlap = onCard[i]->box.intersected(onCard[j]->box);
                QVERIFY2(overlap.width() < 0.05 || overlap.height() < 0.05,
                         qPrintable(onCard[i]->text + " / " + onCard[j]->text));
            }
    }

private slots:
    void initTestCase()
    {
        registerFontSubstitutions();
        QVERIFY(dir_.isValid());
    }

    void oneA4PageWithItsFontsInside()
    {
        const QString pdf = saved(sixTracks(), "six.pdf");
        QVERIFY(!pdf.isEmpty());
        const QString info = QString::fromUtf8(run("pdfinfo", {pdf}));
        QVERIFY2(info.contains(QRegularExpression(R"(Pages:\s+1\n)")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(R"(Page size:\s+595(\.\d+)? x 842(\.\d+)? pts \(A4\))")),
                 qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("夏の終わりのドライブ")), qPrintable(info));

        // Every font is in the file, and the Japanese text is set in the installed Gothic.
        const QStringList fonts = QString::fromUtf8(run("pdffonts", {pdf})).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& font : fonts) {
            const QStringList fields = font.simplified().split(' ');
            QVERIFY2(fields.size() >= 5 && fields[fields.size() - 5] == "yes", qPrintable(font));
        }
        QVERIFY2(fonts.join('\n').contains("Gothic"), qPrintable(fonts.join('\n')));
    }

    void textOfASixTrackPlan()
    {
        const QString pdf = saved(sixTracks(), "six.pdf");
        QVERIFY(!pdf.isEmpty());
        const QString text = QString::fromUtf8(run("pdftotext", {pdf, "-"}));
        for (const std::string& title : SixTitles)
            QVERIFY2(text.contains(QString::fromStdString(title)), title.c_str());
        const QStringList expected{"夏の終わりのドライブ",
                                   "海辺の楽団",
                                   "A面",
                                   "B面",
                                   "4:31",
                                   "3:50",
                                   "5:12",
                                   "4:05",
                                   "6:00",
                                   "3:30",
                                   "30分テープ",
                                   "13:43",
                                   "13:45",
                                   "TYPE II Dolby B 2024-08-31"};
        for (const QString& s : expected) QVERIFY2(text.contains(s), qPrintable(s + "\n" + text));
        // Track numbers in the order of the plan, each with its title.
        for (int i = 0; i < 6; ++i)
            QVERIFY2(text.contains(QString("%1 %2").arg(i + 1).arg(QString::fromStdString(SixTitles[i]))),
                     qPrintable(text));
        checkWordsInPanels(wordsOf(pdf));
    }

    // Each track's start on its side lies in its row, between its title and its length; with a
    // calibration its counter reading comes before the title, and a tape of a set says which it is
    // on the spine. A lone tape has no place on its spine.
    void startTimesCountersAndPlaceInTheSet()
    {
        LabelContent label = sixTracks();
        label.setTape = 2;
        label.setTapes = 3;
        fillCounterReadings(label, calibrateCounter(CounterReading{220, 200}, CounterReading{1500, 1000}));
        const QString pdf = saved(label, "set.pdf");
        QVERIFY(!pdf.isEmpty());
        const Page page = wordsOf(pdf);
        checkWordsInPanels(page);
        const QPointF corner = cardCorner(page.size);
        const auto find = [&page](const QString& text) -> const Word* {
            for (const Word& word : page.words)
                if (word.text == text) return &word;
            return nullptr;
        };
        // Track 2 (潮風, 3:50) starts at 4:36 on side A, counter 246; track 6 (帰り道, 3:30) at 10:15
        // on side B, counter 493.
        for (const auto& [title, counter, start, length] :
             {std::tuple{"潮風", "[246]", "4:36", "3:50"}, std::tuple{"帰り道", "[493]", "10:15", "3:30"}}) {
            const Word* t = find(QString::fromUtf8(title));
            const Word* c = find(QString::fromUtf8(counter));
            const Word* s = find(QString::fromUtf8(start));
            const Word* l = find(QString::fromUtf8(length));
            QVERIFY2(t && c && s && l, title);
            for (const Word* w : {c, s, l})
                QVERIFY2(std::abs(w->box.center().y() - t->box.center().y()) < 0.3, qPrintable(w->text));
            QVERIFY2(c->box.right() <= t->box.left(), title);
            QVERIFY2(t->box.right() <= s->box.left(), title);
            QVERIFY2(s->box.right() <= l->box.left(), title);
        }
        const Word* place = find(QStringLiteral("2/3"));
        QVERIFY(place);
        QVERIFY(inside(place->box, spinePanel().translated(corner)));

        const QString lone = saved(sixTracks(), "lone.pdf");
        QVERIFY(!lone.isEmpty());
        const QString text = QString::fromUtf8(run("pdftotext", {lone, "-"}));
        QVERIFY2(!text.contains(QRegularExpression(R"(\d/\d)")), qPrintable(text));
        QVERIFY2(!text.contains('['), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("4:36")), qPrintable(text));
    }

    // clang-format off
    void longTextsStayInTheirPanels_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("track title") << "track";
        QTest::newRow("tape title") << "title";
        QTest::newRow("artist") << "artist";
        QTest::newRow("title and artist") << "both";
        QTest::newRow("note") << "note";
    }
    // clang-format on
    void longTextsStayInTheirPanels()
    {
        QFETCH(QString, field);
        QString longText;
        for (int i = 0; i < 200; ++i) longText += QChar(i % 2 ? u'あ' : u'W');
        QCOMPARE(longText.size(), 200);
        const std::string utf8 = longText.toStdString();
        LabelContent label = sixTracks();
        if (field == "track") label.sideA.tracks[1].title = utf8;
        if (field == "title" || field == "both") label.title = utf8;
        if (field == "artist" || field == "both") label.artist = utf8;
        if (field == "note") label.note = utf8;
        const QString pdf = saved(label, "long.pdf");
        QVERIFY(!pdf.isEmpty());

        const Page page = wordsOf(pdf);
        checkWordsInPanels(page);
        // The text is cut short with "…" after its own beginning.
        const QString text = QString::fromUtf8(run("pdftotext", {pdf, "-"}));
        QVERIFY2(text.contains(QRegularExpression("WあWあWあWあ(Wあ)*W?…")), qPrintable(text));
        QVERIFY(!text.contains(longText));
        // The rest of the card is still there.
        for (const QString s : {"4:31", "3:50", "30分テープ"}) QVERIFY2(text.contains(s), qPrintable(s));
    }

    // A title a little too long for its row makes both sides' lists smaller, every row alike, and is
    // shown whole (fault: one side in a smaller type than the other).
    void longTitleShrinksBothLists()
    {
        LabelContent label = sixTracks();
        // A little too long beside the start time and the length at the rows' full type.
        const QString title = QStringLiteral("防波堤で待ってる夏の午後");
        label.sideA.tracks[1].title = title.toStdString();
        const QString pdf = saved(label, "column.pdf");
        QVERIFY(!pdf.isEmpty());
        const Page page = wordsOf(pdf);
        checkWordsInPanels(page);
        const auto height = [&page](const QString& text) {
            for (const Word& word : page.words)
                if (word.text == text) return word.box.height();
            return -1.0;
        };
        const double shrunk = height(title);
        QVERIFY2(shrunk > 0, "the title is shown whole");
        for (const char* neighbour : {"夜明けのハイウェイ", "4:31", "3:50", "5:12", "4:05"})
            QVERIFY2(qAbs(height(neighbour) - shrunk) < 0.02,
                     qPrintable(
                         QString("%1: %2 mm, the long title %3 mm").arg(neighbour).arg(height(neighbour)).arg(shrunk)));
    }

    void twentyTracksOnEachSideFitTheFront()
    {
        const LabelContent label = twentyTracksASide();
        QCOMPARE(label.sideA.tracks.size(), std::size_t(20));
        QCOMPARE(label.sideB.tracks.size(), std::size_t(20));
        const QString pdf = saved(label, "twenty.pdf");
        QVERIFY(!pdf.isEmpty());
        const Page page = wordsOf(pdf);
        checkWordsInPanels(page);

        const QString text = QString::fromUtf8(run("pdftotext", {pdf, "-"}));
        const QRectF front = frontPanel().translated(cardCorner(page.size));
        for (int i = 1; i <= 40; ++i) {
            const QString title = QString("第%1曲 春の小川").arg(i);
            QVERIFY2(text.contains(QString("%1 %2").arg(i).arg(title)), qPrintable(title));
            bool onFront = false;
            for (const Word& word : page.words)
                onFront = onFront || (word.text == QString("第%1曲").arg(i) && inside(word.box, front));
            QVERIFY2(onFront, qPrintable(title));
        }
    }

    void longDiscSideFlowsIntoColumns()
    {
        // 50 short tracks: side A takes 20, side B the other 30 in two columns.
        std::vector<int> seconds;
        std::vector<std::string> titles;
        for (int i = 0; i < 50; ++i) {
            seconds.push_back(40 + (i * 37) % 50);
            titles.push_back("小品" + std::to_string(i + 1));
        }
        const LabelContent label = labelOf(seconds, titles, "小品集", "");
        QCOMPARE(label.sideB.tracks.size(), std::size_t(30));
        const QString pdf = saved(label, "long-disc.pdf");
        QVERIFY(!pdf.isEmpty());
        const Page page = wordsOf(pdf);
        checkWordsInPanels(page);
        const QRectF front = frontPanel().translated(cardCorner(page.size));
        for (int i = 1; i <= 50; ++i) {
            bool onFront = false;
            for (const Word& word : page.words)
                onFront = onFront || (word.text == QString("小品%1").arg(i) && inside(word.box, front));
            QVERIFY2(onFront, qPrintable(QString::number(i)));
        }
    }

    void cutAndFoldLinesAtThePanelBorders()
    {
        const QString pdf = saved(sixTracks(), "lines.pdf");
        QVERIFY(!pdf.isEmpty());
        const QSizeF page = wordsOf(pdf).size;
        const QPointF corner = cardCorner(page);
        const Lines lines = linesOf(pdf, dir_.path());

        QCOMPARE(lines.verticalCut.size(), 2);
        QVERIFY2(std::abs(lines.verticalCut[0] - corner.x()) < 0.5, qPrintable(described(lines.verticalCut)));
        QVERIFY2(std::abs(lines.verticalCut[1] - (corner.x() + 101.6)) < 0.5, qPrintable(described(lines.verticalCut)));
        QVERIFY2(lines.solid.size() == 2, qPrintable(described(lines.solid)));
        QVERIFY2(std::abs(lines.solid[0] - corner.y()) < 0.5, qPrintable(described(lines.solid)));
        QVERIFY2(std::abs(lines.solid[1] - (corner.y() + 92.075)) < 0.5, qPrintable(described(lines.solid)));
        QVERIFY2(lines.dashed.size() == 2, qPrintable(described(lines.dashed)));
        QVERIFY2(std::abs(lines.dashed[0] - (corner.y() + 63.5)) < 0.5, qPrintable(described(lines.dashed)));
        QVERIFY2(std::abs(lines.dashed[1] - (corner.y() + 76.2)) < 0.5, qPrintable(described(lines.dashed)));
    }

    void printedInTheMiddleOfThePrintersPaper()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("printed.pdf"));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        // Through the print module, as the window prints: it is what prints on the whole sheet.
        const std::unique_ptr<PrintSession> session = openPrintSession();
        QVERIFY(session);
        QCOMPARE(session->printOn(printer, jcardPrintJob(sixTracks())), PrintOutcome::Printed);

        const QString info = QString::fromUtf8(run("pdfinfo", {path("printed.pdf")}));
        QVERIFY2(info.contains(QRegularExpression(R"(Page size:\s+612(\.\d+)? x 792(\.\d+)? pts \(letter\))")),
                 qPrintable(info));
        const Page page = wordsOf(path("printed.pdf"));
        checkWordsInPanels(page);
        const Lines lines = linesOf(path("printed.pdf"), dir_.path());
        const QPointF corner = cardCorner(page.size);
        QCOMPARE(lines.verticalCut.size(), 2);
        QVERIFY2(std::abs(lines.verticalCut[0] - corner.x()) < 0.5, qPrintable(described(lines.verticalCut)));
        QVERIFY2(lines.dashed.size() == 2, qPrintable(described(lines.dashed)));
        QVERIFY2(std::abs(lines.dashed[0] - (corner.y() + 63.5)) < 0.5, qPrintable(described(lines.dashed)));
    }

    // A save that cannot happen says why and leaves what was on disk as it was.
    // clang-format off
    void saveFailure_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("disk full") << "write fails" << "に保存できませんでした";
        QTest::newRow("disk full part way") << "write stops part way" << "に保存できませんでした";
        // A page smaller than a file's write buffer reaches the disk only when the file is closed.
        QTest::newRow("disk full, small page") << "write fails, small page" << "に保存できませんでした";
        QTest::newRow("missing folder") << "missing folder" << "に保存できませんでした";
        QTest::newRow("folder") << "folder" << "はファイルではないため、保存できません";
    }
    // clang-format on
    void saveFailure()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        QString file = path("label.pdf");
        QFile::remove(file);
        QDir(dir_.path()).rmdir("label.pdf");
        LabelContent earlier = sixTracks();
        earlier.title = "以前のラベル";
        if (kind.startsWith("write")) QVERIFY(!saved(earlier, "label.pdf").isEmpty());
        if (kind == "missing folder") file = path("nowhere/label.pdf");
        if (kind == "folder") QVERIFY(QDir(dir_.path()).mkdir("label.pdf"));
        const QByteArray before = contentOf(path("label.pdf"));
        const QStringList listing = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        std::optional<Message> failure;
        {
            std::optional<FileSizeLimit> limit;
            if (kind.startsWith("write fails")) limit.emplace(0);
            if (kind == "write stops part way") limit.emplace(4000);
            if (limit) QVERIFY(limit->active());
            LabelContent label = sixTracks();
            if (kind.endsWith("small page")) {
                label = LabelContent{};
                label.tapeMinutes = 10;
            }
            failure = saveJCardPdf(file, label);
        }
        QVERIFY(failure);
        QCOMPARE(QString::fromStdString(failure->title), QStringLiteral("保存エラー"));
        QCOMPARE(failure->icon, MessageIcon::Stop);
        const QString text = QString::fromStdString(failure->text);
        QVERIFY2(text.contains(says), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(file)), qPrintable(text));
        if (kind.startsWith("write"))
            QVERIFY2(text.contains(QStringLiteral("以前の内容はそのまま残っています")), qPrintable(text));

        QCOMPARE(contentOf(path("label.pdf")), before);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), listing);
    }
};

VANTOLI_GUI_TEST_MAIN(TestJCardPdf)
#include "test_jcard_pdf.moc"
