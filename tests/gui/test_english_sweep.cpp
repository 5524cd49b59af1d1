// Every window, menu and message of the program under LANG=en_US.UTF-8, C.UTF-8 and ja_JP.UTF-8: in
// English no Japanese character is left and every label, button, check box and menu title fits its
// control; in Japanese every text is its Japanese source, unchanged, and the C locale shows exactly
// what ja_JP shows. A change of language in the Settings menu reaches every open window at once.
#include <QtTest>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>

#include "core/long_disc_plan.h"
#include "core/plan_report.h"
#include "gui/help_window.h"
#include "gui/paste_tracks.h"
#include "gui/release_chooser.h"
#include "gui/report.h"
#include "gui/several_tapes.h"
#include "gui/tape_check_window.h"
#include "gui/tape_settings.h"
#include "gui/translation.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

const QStringList FiveTracks{"330", "230", "515", "435", "515"};

// Kana, CJK ideographs, Japanese punctuation and full-width forms.
const QRegularExpression
    JapaneseCharacter(QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));

// One text the user reads, where it is shown, and whether it fits its control.
struct Shown {
    Shown(QString where, QString text, bool fits = true, QString source = {})
        : where(std::move(where)),
          text(std::move(text)),
          fits(fits),
          source(std::move(source))
    {
    }
    QString where;
    QString text;
    bool fits;
    QString source;  // the Japanese it was shown from, when the control keeps it
};

QString withoutAccelerator(QString text) { return text.remove(QRegularExpression(QStringLiteral("&(?=.)"))); }

bool lineFits(const QFontMetrics& metrics, const QString& text, int room)
{
    for (const QString& line : withoutAccelerator(text).split(QLatin1Char('\n')))
        if (metrics.horizontalAdvance(line) > room) return false;
    return true;
}

QString keptSource(const QObject* control)
{
    const QByteArray kept = control->property("vantoli.text").toByteArray();
    return kept.isEmpty() ? QString() : QString::fromUtf8(kept.mid(kept.indexOf('\n') + 1));
}

void collectActions(const QString& where, const QList<QAction*>& actions, QList<Shown>& out)
{
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        out << Shown{where + "/" + action->objectName(), action->text(), true, keptSource(action)};
        if (!action->toolTip().isEmpty() && action->toolTip() != withoutAccelerator(action->text()))
            out << Shown{where + "/" + action->objectName() + " tip", action->toolTip()};
        if (QMenu* sub = action->menu()) collectActions(where + "/" + action->objectName(), sub->actions(), out);
    }
}

void collect(QWidget* window, QList<Shown>& out)
{
    const QString name = window->objectName().isEmpty() ? window->metaObject()->className() : window->objectName();
    out << Shown{name + " title", window->windowTitle(), true, keptSource(window)};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || qobject_cast<QMenu*>(w)) continue;
        const QString where = name + "/" + (w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName());
        if (!w->toolTip().isEmpty()) out << Shown{where + " tip", w->toolTip()};
        if (auto* label = qobject_cast<QLabel*>(w)) {
            const int room = label->contentsRect().width() - 2 * std::max(label->indent(), 0);
            out << Shown{where, label->text(), label->wordWrap() || lineFits(label->fontMetrics(), label->text(), room),
                         keptSource(label)};
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* box = static_cast<QAbstractButton*>(w);
            out << Shown{where, box->text(), box->sizeHint().width() <= box->width(), keptSource(box)};
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i) out << Shown{where + " item", combo->itemText(i)};
        } else if (auto* spin = qobject_cast<QDoubleSpinBox*>(w)) {
            out << Shown{where + " suffix", spin->suffix()};
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
            out << Shown{where, button->text(),
                         lineFits(button->fontMetrics(), button->text(), button->width() - margin), keptSource(button)};
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            out << Shown{where, group->title(), lineFits(group->fontMetrics(), group->title(), group->width()),
                         keptSource(group)};
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (!edit->placeholderText().isEmpty()) out << Shown{where + " placeholder", edit->placeholderText()};
        } else if (auto* browser = qobject_cast<QTextBrowser*>(w)) {
            out << Shown{where + " page", browser->toPlainText()};
        } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < table->columnCount(); ++c)
                if (QTableWidgetItem* head = table->horizontalHeaderItem(c))
                    out << Shown{where + " heading", head->text()};
        } else if (auto* menuBar = qobject_cast<QMenuBar*>(w)) {
            // The menu titles stay on one row inside the window's width.
            const QList<QAction*> menus = menuBar->actions();
            const QRect first = menuBar->actionGeometry(menus.first());
            const QRect last = menuBar->actionGeometry(menus.last());
            for (QAction* menu : menus)
                out << Shown{where + "/" + menu->objectName(), menu->text(),
                             last.top() == first.top() && last.right() < menuBar->width(), keptSource(menu)};
            for (QAction* menu : menus) collectActions(where + "/" + menu->objectName(), menu->menu()->actions(), out);
        }
    }
}

void useEnvironment(const char* lang)
{
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) qunsetenv(name);
    qputenv("LANG", lang);
    useLanguage(languageFromEnvironment());
}

// The open windows, in the order of their names.
QList<QWidget*> openWindows()
{
    QList<QWidget*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !qobject_cast<QMenu*>(w)) open << w;
    std::sort(open.begin(), open.end(), [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
    return open;
}

void closeEverything()
{
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString helpFolder() { return QStringLiteral(VANTOLI_HELP_DIR); }

// Opens the window of several tapes on a set of two albums, planned.
void openSeveralTapes(MainForm& window)
{
    window.mnuFileSeveral()->trigger();
    SeveralTapes* several = window.severalTapesWindow().window();
    if (!several) return;
    const std::vector<SetAlbum>
        albums{SetAlbum{TrackList{"Box", "Band", std::vector<Track>(5, Track{1'500'000, "t", "", {}})}, {}},
               SetAlbum{TrackList{"", "", std::vector<Track>(3, Track{900'000, "u", "", {}})}, {}}};
    const SetPlanResult planned = planSet(setAlbumSeconds(albums), true, window.lineup());
    if (const auto* plan = std::get_if<SetPlan>(&planned))
        several->showSet(setDocumentOf(*plan, albums, true, window.lineup()), QString());
}

// The texts that share one scope of access keys, by scope: a menu's items, and a window's menu titles,
// buttons, boxes and labels. A key twice in one scope only moves between the two; it reaches neither.
QMap<QString, QStringList> accessKeyClashes(const QList<Shown>& shown)
{
    QMap<QString, QMap<QString, QStringList>> byScope;
    for (const Shown& s : shown) {
        // The key as Qt reads it from the text (Alt+T for "Open &Tape...", none for "&&").
        const QKeySequence key = QKeySequence::mnemonic(s.text);
        if (s.where.contains(QLatin1Char(' ')) || key.isEmpty()) continue;  // tips, items, headings
        const QStringList path = s.where.split(QLatin1Char('/'));
        // A menu's item belongs to its menu; the menu titles and the controls to their window.
        const bool item = path.size() > 3 && path[1] == QLatin1String("QMenuBar");
        const QString scope = item ? path.mid(0, path.size() - 1).join(QLatin1Char('/')) : path.first();
        byScope[scope][key.toString()] << s.text;
    }
    QMap<QString, QStringList> clashes;
    for (auto scope = byScope.cbegin(); scope != byScope.cend(); ++scope)
        for (const QStringList& texts : scope.value())
            if (texts.size() > 1) clashes[scope.key()] << texts.join(QStringLiteral(" / "));
    return clashes;
}

// Opens every window and shows every kind of message, and returns what they show.
QList<Shown> sweep()
{
    QList<Shown> shown;
    {
        QTemporaryDir folder;  // outlives the window, which holds a lock in it
        // The messages: the label without a plan, an entry error, the tapes window (modal), files that
        // cannot be read.
        ModalAnswerer answerer;
        answerer.answerOther = [&](QWidget* window) {
            collect(window, shown);
            window->close();
        };
        auto window = openWindow();
        if (!window) return {};
        window->mnuFileLabel()->trigger();
        window->Tm(0)->setText(QStringLiteral("4x1"));
        window->Run()->click();
        window->mnuSettingTapes()->trigger();
        window->ReadFiles({QStringLiteral("/nonexistent/a.flac"), QStringLiteral("/nonexistent/b.m3u8")});
        if (!test::waitForRead(*window)) qWarning("the read of files did not end");
        // The pasted list, with a line that reads and one that does not.
        answerer.answerOther = [&](QWidget* modal) {
            if (auto* paste = qobject_cast<PasteTracks*>(modal))
                paste->txtPaste()->setPlainText(QStringLiteral("1. Song - Band 4:31\nliner notes"));
            collect(modal, shown);
            modal->close();
        };
        window->mnuFilePaste()->trigger();
        DiscRelease release{"Album", "Band", "2001", "GB", "CD", "5012345678900", 1, 2, {}};
        ReleaseChooser chooser({release, release}, window.get());
        chooser.exec();
        // The tape document: a file that is no tape, a tape that cannot be saved, the question after a
        // crash.
        QFile notATape(folder.filePath(QStringLiteral("notes.vantoli")));
        if (notATape.open(QIODevice::WriteOnly)) notATape.write("{\"tracks\": 1}");
        notATape.close();
        window->OpenTape(notATape.fileName());
        window->SaveTape(folder.path());
        const QString recovery = folder.filePath(QStringLiteral("state"));
        window->keepRecoveryCopiesIn(recovery);
        QFile copy(recovery + QStringLiteral("/recovery.vantoli"));
        if (copy.open(QIODevice::WriteOnly)) copy.write("{}");
        copy.close();
        window->offerRecovery();
        // The temporary folder's name differs from sweep to sweep.
        for (const SeenModal& message : answerer.messages())
            shown << Shown{"message title", message.title}
                  << Shown{"message", QString(message.text).replace(folder.path(), QStringLiteral("FOLDER"))};
    }
    closeEverything();

    auto window = openWindow();
    if (!window) return {};
    for (int i = 0; i < FiveTracks.size(); ++i) window->Tm(i)->setText(FiveTracks[i]);
    window->Run()->click();
    window->mnuSettingAll()->trigger();
    window->mnuHelpVersion()->trigger();
    window->mnuFileLabel()->trigger();
    window->mnuFileDub()->trigger();
    window->mnuFileDeckCheck()->trigger();
    openSeveralTapes(*window);
    (new TapeCheckWindow(StreamRequest{}, TapeSide::B, 1800))->show();
    showHelp(window.get(), helpFolder());
    SingleWindow<Report> report;
    const std::vector<int> seconds(24, 200);
    if (const auto plan = planLongDisc(seconds, PlanOptions{}, 24, standardLineup()))
        showReport(report, QString::fromStdString(PlanReportText(*plan)));
    for (QWidget* w : openWindows()) collect(w, shown);
    closeEverything();
    return shown;
}

}  // namespace

class TestEnglishSweep : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        closeEverything();
        useEnvironment("C.UTF-8");
    }

    void englishShowsNoJapaneseAndFits()
    {
        useEnvironment("en_US.UTF-8");
        const QList<Shown> shown = sweep();
        QVERIFY(shown.size() > 100);
        // A window the sweep failed to open would pass unseen.
        for (const char* title : {"Dubbing title", "DeckCheck title", "TapeCheckWindow title", "PasteTracks title",
                                  "ReleaseChooser title", "SeveralTapes title"})
            QVERIFY2(std::any_of(shown.begin(), shown.end(), [&](const Shown& s) { return s.where == title; }), title);
        QStringList problems;
        for (const Shown& s : shown) {
            // The language's own name in the Language menu stays written as its speakers write it.
            const bool ownName = s.where.endsWith(QLatin1String("mnuSettingLanguageJapanese"));
            if (!ownName && s.text.contains(JapaneseCharacter)) problems << "Japanese in " + s.where + ": " + s.text;
            // Words must fit; the figures of the plan are the program's data, laid out as they always were.
            const bool words = std::any_of(s.text.begin(), s.text.end(), [](QChar c) { return c.isLetter(); });
            if (words && !s.fits) problems << "does not fit " + s.where + ": " + s.text;
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Every command keeps an access key of its own in its menu or window. In English the keys are ours
    // ("&Dub to Tape" and "&Deck Check", "Open &Tape" and "Several &Tapes" shared theirs); in Japanese
    // the File menu's two M come with texts that are used as they stand.
    void accessKeysAreDistinct()
    {
        useEnvironment("en_US.UTF-8");
        const QMap<QString, QStringList> clashes = accessKeyClashes(sweep());
        QStringList problems;
        for (auto clash = clashes.cbegin(); clash != clashes.cend(); ++clash)
            problems << clash.key() + ": " + clash.value().join(QStringLiteral("; "));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

        useEnvironment("ja_JP.UTF-8");
        const QMap<QString, QStringList> given{
            {QStringLiteral("MainForm/QMenuBar/mnuFile"),
             {QStringLiteral("音声ファイルから読み取り(&M)... / 複数のテープに分ける(&M)...")}}};
        QCOMPARE(accessKeyClashes(sweep()), given);
    }

    void japaneseShowsItsSourceTexts()
    {
        useEnvironment("ja_JP.UTF-8");
        const QList<Shown> japanese = sweep();
        QVERIFY(japanese.size() > 100);
        QStringList problems;
        for (const Shown& s : japanese)
            if (!s.source.isEmpty() && s.text != s.source) problems << s.where + ": " + s.text + " for " + s.source;
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

        useEnvironment("C.UTF-8");
        const QList<Shown> c = sweep();
        QCOMPARE(c.size(), japanese.size());
        for (qsizetype i = 0; i < c.size(); ++i)
            QCOMPARE(c[i].where + ": " + c[i].text, japanese[i].where + ": " + japanese[i].text);
    }

    // The Language menu applies at once to every open window and is kept for the next start.
    void languageMenuReachesEveryOpenWindow()
    {
        useEnvironment("ja_JP.UTF-8");
        auto window = openWindow();
        QVERIFY(window);
        for (int i = 0; i < FiveTracks.size(); ++i) window->Tm(i)->setText(FiveTracks[i]);
        window->Run()->click();
        window->mnuSettingAll()->trigger();
        window->mnuHelpVersion()->trigger();
        window->mnuFileLabel()->trigger();
        window->mnuFileDub()->trigger();
        openSeveralTapes(*window);
        showHelp(window.get(), helpFolder());
        window->showLongDiscPlan(std::vector<int>(24, 200), 24);
        const auto shownNow = [] {
            QList<Shown> shown;
            for (QWidget* w : openWindows()) collect(w, shown);
            return shown;
        };
        const QList<Shown> before = shownNow();

        auto* english = window->findChild<QAction*>(QStringLiteral("mnuSettingLanguageEnglish"));
        QVERIFY(english);
        english->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QStringList left;
        for (const Shown& s : shownNow())
            if (!s.where.endsWith(QLatin1String("mnuSettingLanguageJapanese")) && s.text.contains(JapaneseCharacter))
                left << s.where + ": " + s.text;
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
        QCOMPARE(window->TapeType()->text(), QStringLiteral("30-min tape"));
        QCOMPARE(loadLanguageChoice(), LanguageChoice::English);

        window->findChild<QAction*>(QStringLiteral("mnuSettingLanguageJapanese"))->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        const QList<Shown> after = shownNow();
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < after.size(); ++i) QCOMPARE(after[i].text, before[i].text);
    }
};

VANTOLI_GUI_TEST_MAIN(TestEnglishSweep)
#include "test_english_sweep.moc"
