// The cassette label as a user reaches it: through the File menu of the main window, after a plan
// made by Run or by reading a long disc; editing it with the preview following; its PDF and print
// commands through the real dialogs.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include "gui/cassette_label.h"
#include "gui/jcard_painter.h"
#include "gui/tape_lineup.h"
#include "gui/tape_settings.h"
#include "support/file_size_limit.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"
#include "support/sample_discs.h"
#include "support/window_checks.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

void type(MainForm& window, const QStringList& entries)
{
    for (int i = 0; i < EntryCount; ++i) window.Tm(i)->setText(entries.value(i));
}

const QStringList SixTracks{"431", "350", "512", "405", "600", "330"};

QStringList column(const QTableWidget* table, int c)
{
    QStringList texts;
    for (int r = 0; r < table->rowCount(); ++r) texts << table->item(r, c)->text();
    return texts;
}

// The label window that is open, if any.
CassetteLabel* openLabel()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* label = qobject_cast<CassetteLabel*>(w); label && label->isVisible()) return label;
    return nullptr;
}

int openLabels()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CassetteLabel*>(w) && w->isVisible()) ++count;
    return count;
}

// Types text as an input method hands it over: Japanese text arrives committed, not key by key.
void typeText(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// Opens the editor of a row's title cell as the user does by typing into the selected cell.
QLineEdit* editTitle(QTableWidget* table, int r)
{
    table->setFocus();
    table->setCurrentCell(r, CassetteLabel::TitleColumn);
    table->editItem(table->item(r, CassetteLabel::TitleColumn));
    return table->viewport()->findChild<QLineEdit*>();
}

// Types a title into a row's title cell, presses Enter and waits for the view to take it (the view
// commits an editor in a queued call).
void typeTitle(QTableWidget* table, int r, const QString& text)
{
    QLineEdit* editor = editTitle(table, r);
    QVERIFY(editor);
    editor->selectAll();
    typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
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

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read>");
}

QString pdfText(const QString& path)
{
    QProcess process;
    process.start("pdftotext", {path, "-"});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfInfo(const QString& path)
{
    QProcess process;
    process.start("pdfinfo", {path});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestLabelCommand : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

    // The main window after Run on the six sample tracks, with the label window opened from the menu.
    std::unique_ptr<MainForm> windowWithLabel()
    {
        auto window = openWindow();
        if (!window) return nullptr;
        type(*window, SixTracks);
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        window->mnuFileLabel()->trigger();
        return window;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup()
    {
        // A label window a test leaves open goes with its main window; none may outlive it.
        QCOMPARE(openLabels(), 0);
    }

    void menuItemBeforeTheDubbingItem()
    {
        auto window = openWindow();
        QVERIFY(window);
        QAction* item = window->mnuFileLabel();
        QVERIFY(item);
        QCOMPARE(item->objectName(), QStringLiteral("mnuFileLabel"));
        QCOMPARE(item->text(), QStringLiteral("カセットレーベルを作成(&L)..."));
        const QList<QAction*> file = window->menuBar()->actions().first()->menu()->actions();
        const qsizetype at = file.indexOf(item);
        QVERIFY(at >= 0 && at + 1 < file.size());
        QCOMPARE(file.at(at + 1)->objectName(), QStringLiteral("mnuFileDub"));
        QCOMPARE(file.at(at - 1)->objectName(), QStringLiteral("mnuFileRecent"));
    }

    void noPlanYetSaysSo()
    {
        auto window = openWindow();
        QVERIFY(window);
        type(*window, SixTracks);  // typed, but not planned
        ModalAnswerer answerer;
        window->mnuFileLabel()->trigger();
        QCOMPARE(answerer.messages().size(), 1);
        const SeenModal box = answerer.messages().first();
        QCOMPARE(box.title, QStringLiteral("カセットレーベル"));
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.lines,
                 (QStringList{"まだ構成案がありません。",
                              "トラックのタイムを入力して［実行］を押し、構成案を作ってから選んでください。"}));
        QCOMPARE(box.buttonCount, 1);
        QVERIFY(!openLabel());
        QVERIFY(!window->labelWindow().window());

        // A Run that fails makes no plan either.
        type(*window, {"431", "99x"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        window->mnuFileLabel()->trigger();
        QCOMPARE(answerer.messages().size(), 3);
        QCOMPARE(answerer.messages().last().title, QStringLiteral("カセットレーベル"));
        QVERIFY(!openLabel());
    }

    void showsThePlanOfRun()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        QCOMPARE(label, window->labelWindow().window());
        QVERIFY(QTest::qWaitForWindowExposed(label));
        QVERIFY(!label->isModal());
        QCOMPARE(label->objectName(), QStringLiteral("CassetteLabel"));
        QCOMPARE(QString(label->metaObject()->className()), QStringLiteral("vantoli::CassetteLabel"));
        QCOMPARE(label->windowTitle(), QStringLiteral("カセットレーベル"));
        QCOMPARE(label->cmdPdf()->text(), QStringLiteral("PDFに保存(&P)..."));
        QCOMPARE(label->cmdPrint()->text(), QStringLiteral("印刷(&R)..."));
        QCOMPARE(label->cmdClose()->text(), QStringLiteral("閉じる"));
        QCOMPARE(label->txtTitle()->text(), QString());
        QCOMPARE(label->txtNote()->text(), QString());
        QCOMPARE(column(label->tblSideA(), CassetteLabel::NumberColumn), (QStringList{"1", "2", "3"}));
        QCOMPARE(column(label->tblSideB(), CassetteLabel::NumberColumn), (QStringList{"4", "5", "6"}));
        QCOMPARE(column(label->tblSideA(), CassetteLabel::LengthColumn), (QStringList{"4:31", "3:50", "5:12"}));
        QCOMPARE(column(label->tblSideB(), CassetteLabel::StartColumn), (QStringList{"0:00", "4:10", "10:15"}));
        QCOMPARE(column(label->tblSideA(), CassetteLabel::TitleColumn), (QStringList{"", "", ""}));
        QCOMPARE(label->lblSideATotal()->text(), QStringLiteral("合計（ブランク込み） 13:43　　テープの残り 2:02"));
        QCOMPARE(label->picPreview()->label().tapeMinutes, 30);
        // Only the titles can be edited.
        for (QTableWidget* table : {label->tblSideA(), label->tblSideB()})
            for (int c = 0; c < table->columnCount(); ++c)
                QCOMPARE(bool(table->item(0, c)->flags() & Qt::ItemIsEditable), c == CassetteLabel::TitleColumn);

        // The main window stays usable, and the item only brings the one window to the front.
        QVERIFY(window->isEnabled());
        window->mnuFileLabel()->trigger();
        QCOMPARE(openLabels(), 1);
        QCOMPARE(openLabel(), label);
    }

    // What the user types reaches the label and the preview at once, painted by the card's own painting.
    void editsShowInThePreview()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        QVERIFY(QTest::qWaitForWindowActive(label));
        JCardPreview* preview = label->picPreview();
        const QImage before = shown(preview);
        QCOMPARE(before, paintedDirectly(preview, label->label()));

        typeTitle(label->tblSideA(), 1, QStringLiteral("潮風（ライブ）"));
        label->txtArtist()->setFocus();
        typeText(label->txtArtist(), QStringLiteral("海辺の楽団"));
        typeText(label->txtNote(), QStringLiteral("TYPE II"));

        const LabelContent typed = label->label();
        QCOMPARE(typed.sideA.tracks[1].title, std::string("潮風（ライブ）"));
        QCOMPARE(typed.artist, std::string("海辺の楽団"));
        QCOMPARE(typed.note, std::string("TYPE II"));
        QCOMPARE(preview->label(), typed);
        const QImage after = shown(preview);
        QVERIFY(after != before);
        QCOMPARE(after, paintedDirectly(preview, typed));
    }

    // A new plan while the window is open replaces its content; titles typed for the same tracks stay.
    void newPlanReplacesTheContent()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        QVERIFY(QTest::qWaitForWindowExposed(label));
        typeTitle(label->tblSideA(), 0, QStringLiteral("夜明け"));
        typeTitle(label->tblSideB(), 0, QStringLiteral("街角"));
        label->txtNote()->setText(QStringLiteral("Dolby B"));

        // The gap off: the same tracks start earlier.
        window->mnuSetting5sec()->trigger();
        QVERIFY(!window->mnuSetting5sec()->isChecked());
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(openLabel(), label);
        QCOMPARE(column(label->tblSideB(), CassetteLabel::StartColumn), (QStringList{"0:00", "4:05", "10:05"}));
        QCOMPARE(column(label->tblSideA(), CassetteLabel::TitleColumn), (QStringList{"夜明け", "", ""}));
        QCOMPARE(column(label->tblSideB(), CassetteLabel::TitleColumn), (QStringList{"街角", "", ""}));
        QCOMPARE(label->txtNote()->text(), QStringLiteral("Dolby B"));

        // Track 4 gets another length: it is another track, and its typed title goes.
        type(*window, {"431", "350", "512", "406", "600", "330"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(column(label->tblSideB(), CassetteLabel::LengthColumn), (QStringList{"4:06", "6:00", "3:30"}));
        QCOMPARE(column(label->tblSideB(), CassetteLabel::TitleColumn), (QStringList{"", "", ""}));
        QCOMPARE(column(label->tblSideA(), CassetteLabel::TitleColumn), (QStringList{"夜明け", "", ""}));
        QCOMPARE(label->picPreview()->label(), label->label());

        // A Run that fails leaves the label as it was.
        type(*window, {"431", "99x"});
        ModalAnswerer answerer;
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(label->tblSideB()->rowCount(), 3);
        QCOMPARE(window->lastPlan()->plan.tapeMinutes, 30);
    }

    // Closing the window keeps what was typed: it opens again with it, and a plan made while it was
    // closed keeps it as an open window would.
    void editsOutliveTheWindow()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        QVERIFY(QTest::qWaitForWindowExposed(label));
        label->txtTitle()->setText(QStringLiteral("ドライブ用"));
        label->txtNote()->setText(QStringLiteral("Dolby B"));
        typeTitle(label->tblSideA(), 0, QStringLiteral("夜明け"));
        typeTitle(label->tblSideB(), 0, QStringLiteral("街角"));
        const LabelContent typed = label->label();

        QTest::mouseClick(label->cmdClose(), Qt::LeftButton);
        QVERIFY(!openLabel());
        window->mnuFileLabel()->trigger();
        label = openLabel();
        QVERIFY(label);
        QCOMPARE(label->label(), typed);
        QCOMPARE(label->picPreview()->label(), typed);

        // Closed again, and track 4 gets another length: another track, whose typed title goes.
        QTest::keyClick(label, Qt::Key_Escape);
        QVERIFY(!openLabel());
        type(*window, {"431", "350", "512", "406", "600", "330"});
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        window->mnuFileLabel()->trigger();
        label = openLabel();
        QVERIFY(label);
        QCOMPARE(column(label->tblSideA(), CassetteLabel::TitleColumn), (QStringList{"夜明け", "", ""}));
        QCOMPARE(column(label->tblSideB(), CassetteLabel::TitleColumn), (QStringList{"", "", ""}));
        QCOMPARE(label->txtTitle()->text(), QStringLiteral("ドライブ用"));
        QCOMPARE(label->txtNote()->text(), QStringLiteral("Dolby B"));
    }

    // The window opens over the main window and wholly inside the screen's available area, also with
    // the main window in the screen's corner and on a screen narrower than the window would like (the
    // test's screen is 800 pixels wide), with the whole card in its preview.
    void opensInsideTheScreen()
    {
        auto window = openWindow();
        QVERIFY(window);
        const QRect area = window->screen()->availableGeometry();
        QVERIFY(area.width() < 900 + 20);
        window->move(area.bottomRight() - QPoint(window->frameGeometry().width(), window->frameGeometry().height()));
        type(*window, SixTracks);
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        window->mnuFileLabel()->trigger();
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        QVERIFY(QTest::qWaitForWindowExposed(label));
        const QRect frame = label->frameGeometry();
        QVERIFY2(area.contains(frame),
                 qPrintable(
                     QString("%1x%2 at %3,%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y())));
        QVERIFY(frame.contains(window->frameGeometry().center()));
        JCardPreview* preview = label->picPreview();
        const QRectF card(preview->cardTopLeft(), QSizeF(JCard::Width, JCard::Height) * preview->pixelsPerMm());
        QVERIFY(QRectF(preview->rect()).contains(card));
        QVERIFY(preview->pixelsPerMm() >= 2);
    }

    // Clear empties the window, not the last plan: the label still shows it.
    void clearKeepsTheLastPlan()
    {
        auto window = openWindow();
        QVERIFY(window);
        type(*window, SixTracks);
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        QTest::mouseClick(window->Clear(), Qt::LeftButton);
        QVERIFY(window->trackTitles().tracks.empty());
        window->mnuFileLabel()->trigger();
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        QCOMPARE(label->tblSideA()->rowCount(), 3);
    }

    // A counter kept in the settings file gives the window its Counter column and the card each
    // track's reading; turned off in Tape Types while the window is open, both go, and what the user
    // typed stays.
    void showsTheCounterReadings()
    {
        QVERIFY(saveCounterSetting(CounterSetting{true, {{220, 200}, {1500, 1000}}}));
        auto window = windowWithLabel();
        QVERIFY(window);
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        for (QTableWidget* table : {label->tblSideA(), label->tblSideB()})
            QVERIFY(!table->isColumnHidden(CassetteLabel::CounterColumn));
        QCOMPARE(label->tblSideA()->horizontalHeaderItem(CassetteLabel::CounterColumn)->text(),
                 QStringLiteral("カウンター"));
        // t = θ + 0.0005·θ² at the starts 0, 4:36 and 8:31; 0, 4:10 and 10:15.
        QCOMPARE(column(label->tblSideA(), CassetteLabel::CounterColumn), (QStringList{"0", "246", "422"}));
        QCOMPARE(column(label->tblSideB(), CassetteLabel::CounterColumn), (QStringList{"0", "225", "493"}));
        QCOMPARE(label->picPreview()->label().sideB.tracks[2].counter, std::optional<int>(493));
        label->txtNote()->setText(QStringLiteral("TYPE II"));

        ModalAnswerer answerer;
        answerer.answerOther = [](QWidget* shown) {
            auto* tapes = qobject_cast<TapeLineup*>(shown);
            QVERIFY(tapes);
            QVERIFY(tapes->chkCounter()->isChecked());
            tapes->chkCounter()->click();
            tapes->TapeOK()->click();
        };
        window->mnuSettingTapes()->trigger();
        answerer.answerOther = nullptr;
        QCOMPARE(openLabel(), label);
        QVERIFY(label->tblSideA()->isColumnHidden(CassetteLabel::CounterColumn));
        QCOMPARE(label->picPreview()->label().sideB.tracks[2].counter, std::nullopt);
        QCOMPARE(label->picPreview()->label().note, std::string("TYPE II"));
        QCOMPARE(counterCalibration(loadCounterSetting()), std::nullopt);
        label->close();
        QFile::remove(settingsFile());
    }

    void showsTheLongDiscPlan()
    {
        std::vector<std::int32_t> milliseconds;
        for (int s : RangeExampleSeconds) milliseconds.push_back(s * 1000 + 400);
        auto window = openWindow(std::make_unique<FakeDevice>(milliseconds));
        QVERIFY(window);
        ModalAnswerer answerer;
        QVERIFY(readCd(*window));
        QVERIFY(window->reportWindow().window());
        QCOMPARE(answerer.messages().size(), 1);  // the long-disc notice

        window->mnuFileLabel()->trigger();
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        QCOMPARE(label->tblSideA()->rowCount(), 11);
        QCOMPARE(label->tblSideB()->rowCount(), 13);
        QCOMPARE(label->tblSideB()->item(12, CassetteLabel::NumberColumn)->text(), QStringLiteral("24"));
        QCOMPARE(label->tblSideB()->item(12, CassetteLabel::LengthColumn)->text(), QStringLiteral("3:21"));
        QCOMPARE(label->picPreview()->label().tapeMinutes, 90);
        // 41:57 of tracks and twelve gaps of 5 s on the 90-minute tape's 45:45.
        QCOMPARE(label->lblSideBTotal()->text(), QStringLiteral("合計（ブランク込み） 42:57　　テープの残り 2:48"));
        // The entries keep what they held.
        QCOMPARE(window->Tm(0)->text(), QString());
    }

    // clang-format off
    void savePdf_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("name without extension") << "label" << "label.pdf";
        QTest::newRow("name with .pdf") << "mine.pdf" << "mine.pdf";
        QTest::newRow("another extension kept") << "card.v2" << "card.v2";
    }
    // clang-format on
    void savePdf()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFile::remove(path(written));
        auto window = windowWithLabel();
        QVERIFY(window);
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        label->txtTitle()->setText(QStringLiteral("夏のドライブ"));
        typeTitle(label->tblSideA(), 1, QStringLiteral("潮風"));

        ModalAnswerer answerer({path(typed)});
        QTest::mouseClick(label->cmdPdf(), Qt::LeftButton);
        QCOMPARE(answerer.fileDialogs(), 1);
        const SeenModal& dialog = answerer.seen().first();
        QCOMPARE(dialog.acceptMode, QFileDialog::AcceptSave);
        QCOMPARE(dialog.nameFilters, QStringList{QStringLiteral("PDF (*.pdf)")});
        QCOMPARE(dialog.defaultSuffix, QStringLiteral("pdf"));
        QCOMPARE(answerer.messages().size(), 0);

        QVERIFY2(QFile::exists(path(written)), qPrintable(written));
        QVERIFY2(pdfInfo(path(written)).contains(QRegularExpression(R"(Pages:\s+1\n)")), qPrintable(written));
        const QString text = pdfText(path(written));
        for (const QString s : {"夏のドライブ", "2 潮風", "4:31", "30分テープ", "A面", "B面"})
            QVERIFY2(text.contains(s), qPrintable(s + "\n" + text));
        QFile::remove(path(written));
    }

    void savePdfCancelled()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        const QStringList before = QDir(dir_.path()).entryList(QDir::Files);
        ModalAnswerer answerer({QString()});
        QTest::mouseClick(openLabel()->cmdPdf(), Qt::LeftButton);
        QCOMPARE(answerer.fileDialogs(), 1);
        QCOMPARE(answerer.messages().size(), 0);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), before);
    }

    // Saving over an earlier file asks first; a save that fails says so and leaves it byte for byte.
    void savePdfOverEarlierFile()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        const QString file = path("earlier.pdf");
        {
            ModalAnswerer answerer({file});
            QTest::mouseClick(label->cmdPdf(), Qt::LeftButton);
            QCOMPARE(answerer.messages().size(), 0);
        }
        const QByteArray earlier = contentOf(file);
        QVERIFY(earlier.startsWith("%PDF"));

        label->txtTitle()->setText(QStringLiteral("新しいタイトル"));
        {
            ModalAnswerer answerer({file});
            FileSizeLimit full(0);
            QVERIFY(full.active());
            QTest::mouseClick(label->cmdPdf(), Qt::LeftButton);
            QCOMPARE(answerer.fileDialogs(), 1);
            QCOMPARE(answerer.seen().size(), 3);
            QCOMPARE(answerer.seen().at(1).kind, SeenModal::Kind::Overwrite);
            QCOMPARE(answerer.messages().size(), 1);
            const SeenModal box = answerer.messages().first();
            QCOMPARE(box.title, QStringLiteral("保存エラー"));
            QCOMPARE(box.icon, QMessageBox::Critical);
            QCOMPARE(box.lines.first(), QStringLiteral("ファイル「%1」に保存できませんでした。").arg(file));
            QCOMPARE(box.lines.last(), QStringLiteral("以前の内容はそのまま残っています。"));
        }
        QCOMPARE(contentOf(file), earlier);
        QCOMPARE(QDir(dir_.path()).entryList({"earlier*"}, QDir::Files | QDir::Hidden), QStringList{"earlier.pdf"});

        // With room on the disk the same save replaces it.
        ModalAnswerer answerer({file});
        QTest::mouseClick(label->cmdPdf(), Qt::LeftButton);
        QCOMPARE(answerer.messages().size(), 0);
        QVERIFY(contentOf(file) != earlier);
        QVERIFY(pdfText(file).contains(QStringLiteral("新しいタイトル")));
    }

    // The print dialog opens over the window; printing to a file prints the same card. Qt's print
    // support loads with the first print, not with the window (fault: it costs every start). No test
    // before this one prints.
    void printThroughTheDialog()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        const QString file = path("printed.pdf");
        QFile::remove(file);
        QVERIFY(!loadedLibraries().contains("libQt6PrintSupport"));

        ModalAnswerer answerer;
        QString dialogTitle;
        answerer.answerOther = [&](QWidget* shown) {
            auto* dialog = qobject_cast<QDialog*>(shown);
            if (!dialog || !dialog->inherits("QPrintDialog")) {
                shown->close();
                return;
            }
            dialogTitle = dialog->windowTitle();
            // Qt's own print dialog: its printer list offers printing into a PDF file.
            auto* printers = dialog->findChild<QComboBox*>("printers");
            auto* name = dialog->findChild<QLineEdit*>("filename");
            if (!printers || !name) {
                dialog->reject();
                return;
            }
            for (int i = 0; i < printers->count(); ++i)
                if (printers->itemText(i).contains("PDF")) printers->setCurrentIndex(i);
            name->setText(file);
            dialog->accept();
        };
        QTest::mouseClick(label->cmdPrint(), Qt::LeftButton);
        QCOMPARE(answerer.seen().size(), 1);
        QCOMPARE(dialogTitle, QStringLiteral("カセットレーベルの印刷"));
        QCOMPARE(answerer.messages().size(), 0);
        QVERIFY2(QFile::exists(file), "Qt's print dialog printed into the file");
        const QString text = pdfText(file);
        for (const QString s : {"4:31", "30分テープ", "A面", "B面"}) QVERIFY2(text.contains(s), qPrintable(s));
        QVERIFY(loadedLibraries().contains("libQt6PrintSupport"));
    }

    void printCancelled()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        ModalAnswerer answerer;
        int dialogs = 0;
        answerer.answerOther = [&](QWidget* shown) {
            dialogs += shown->inherits("QPrintDialog") ? 1 : 0;
            shown->close();
        };
        QTest::mouseClick(openLabel()->cmdPrint(), Qt::LeftButton);
        QCOMPARE(dialogs, 1);
        QCOMPARE(answerer.messages().size(), 0);
    }

    // Without its print module the window says so and goes on (fault: a crash, or silence).
    void printWithoutTheModule()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        const QByteArray module = qgetenv("VANTOLI_PRINT");
        qputenv("VANTOLI_PRINT", QFile::encodeName(path("missing/vantoli-print.so")));
        ModalAnswerer answerer;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The print module could not be loaded"));
        QTest::mouseClick(openLabel()->cmdPrint(), Qt::LeftButton);
        qputenv("VANTOLI_PRINT", module);
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(answerer.messages().constFirst().text, QStringLiteral("印刷の機能を読み込めませんでした。"));
    }

    void escapeCloses()
    {
        auto window = windowWithLabel();
        QVERIFY(window);
        CassetteLabel* label = openLabel();
        QVERIFY(label);
        QVERIFY(QTest::qWaitForWindowActive(label));
        // Esc in an open title editor only ends the editing, and keeps the title as it was.
        QLineEdit* editor = editTitle(label->tblSideB(), 0);
        QVERIFY(editor);
        typeText(editor, QStringLiteral("x"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(openLabel());
        QCOMPARE(label->tblSideB()->item(0, CassetteLabel::TitleColumn)->text(), QString());

        QTest::keyClick(label->tblSideB(), Qt::Key_Escape);
        QVERIFY(!openLabel());
        QVERIFY(!window->labelWindow().window());
        // Chosen again, it opens anew with the last plan; the close button closes it too, clicked or
        // pressed with Enter while it has the focus.
        window->mnuFileLabel()->trigger();
        QVERIFY(openLabel());
        QCOMPARE(openLabel()->tblSideA()->rowCount(), 3);
        QTest::mouseClick(openLabel()->cmdClose(), Qt::LeftButton);
        QVERIFY(!openLabel());
        window->mnuFileLabel()->trigger();
        QVERIFY(openLabel());
        openLabel()->cmdClose()->setFocus();
        QTest::keyClick(openLabel()->cmdClose(), Qt::Key_Return);
        QVERIFY(!openLabel());
    }
};

VANTOLI_GUI_TEST_MAIN(TestLabelCommand)
#include "test_label_command.moc"
