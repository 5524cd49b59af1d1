// The main window's tape document: opening and saving a tape, the recent tapes, and the copy of a tape
// not yet saved that the next start offers after a crash.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <variant>

#include "core/plan_report.h"
#include "core/time_text.h"
#include "core/track_caption.h"
#include "device/tape_document_file.h"
#include "gui/dubbing.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/report.h"
#include "gui/save_file.h"
#include "gui/several_tapes.h"
#include "gui/tape_file.h"

namespace vantoli {

namespace {

std::string nativeName(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString fromNative(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// How long after a change the recovery copy is written: changes in between go with it.
constexpr int RecoveryDelayMs = 2000;

}  // namespace

// ---- The document -------------------------------------------------------------------------------

TapeDocument MainForm::tapeDocument() const
{
    TapeDocument document = tape_.document(lineup_);
    // An open label window holds the texts as they are being typed.
    if (CassetteLabel* open = label_.window()) document.label = open->texts();
    return document;
}

QString MainForm::tapeFile() const { return fromNative(tape_.file()); }

bool MainForm::applyTapeDocument(const TapeDocument& document, const QString& file)
{
    tape_ = TapeModel::fromDocument(document, file.isEmpty() ? std::string() : nativeName(file));
    showTape();
    if (Dubbing* open = dubbing_.window()) open->setSettings(tape_.dubbing());

    // The plan is made anew with the tapes of today, as the window would make it.
    bool planned = false;
    if (document.longList) {
        planned = showLongDiscPlan(trackSeconds(document.tracks),
                                   static_cast<std::int32_t>(document.tracks.tracks.size()), document.tracks);
    } else {
        showTitleTips();
        if (document.plan) {
            const RunOutcome outcome = tape_.run(lineup_);
            showRunOutcome(outcome);
            planned = outcome.plan.has_value();
        }
        Run_->setFocus();
    }
    // Showing the new plan on an open label may have taken the texts from it: the tape's own count.
    tape_.setLabelTexts(document.label);
    labelEdits_.reset();
    // An open label shows the tape's texts, or the label as its plan fills it: nothing typed for the
    // tape shown before stays.
    if (CassetteLabel* open = label_.window())
        open->setTexts(tape_.labelTexts().value_or(LabelTexts{document.tracks.album, document.tracks.artist, {}, {}}));

    const bool differs = document.plan && (!planned || !samePlan(*document.plan, tape_.plan()->plan));
    const AudioFileCheck check = checkAudioFiles(document);
    unavailableAudio_.clear();
    for (const auto* files : {&check.missing, &check.changed})
        for (const std::string& f : *files) unavailableAudio_ << fromNative(f);
    return differs;
}

void MainForm::reportOpenedTape(const TapeDocument& document, bool differs)
{
    if (differs) showMessage(this, planChangedMessage(document.lineup != lineup_));
    const AudioFileCheck check = checkAudioFiles(document);
    if (check.empty()) return;
    const auto shown = [](const std::vector<std::string>& files) {
        std::vector<std::string> names;
        for (const std::string& file : files) names.push_back(QDir::toNativeSeparators(fromNative(file)).toStdString());
        return names;
    };
    showMessage(this, changedAudioFilesMessage(shown(check.missing), shown(check.changed)));
}

bool MainForm::OpenTape(const QString& path)
{
    const ParsedSetDocument parsed = readSetDocumentFile(nativeName(path));
    if (const auto* error = std::get_if<DocumentError>(&parsed)) {
        showMessage(this, documentErrorMessage(*error, QDir::toNativeSeparators(path).toStdString()));
        return false;
    }
    const QString file = QFileInfo(path).absoluteFilePath();
    rememberRecent(file);
    const SetDocument& set = std::get<SetDocument>(parsed);
    if (!set.albums.empty()) return openSet(set, file);
    const TapeDocument& document = set.tapes.front();
    const bool differs = applyTapeDocument(document, file);
    // A plan made anew is a change the file does not hold yet.
    tape_.setChanged(false);
    recoveryTimer_.stop();
    if (differs)
        markChanged();
    else if (!recoveryFile_.isEmpty())
        QFile::remove(recoveryFile_);
    showTitle();
    reportOpenedTape(document, differs);
    return true;
}

bool MainForm::openSet(const SetDocument& set, const QString& file)
{
    // A set open with changes of its own is asked about before another takes its place.
    if (SeveralTapes* open = several_.window(); open && !open->maySetAside()) return false;
    SeveralTapes* window = showSeveralTapes(several_, *this);
    window->showSet(set, file);
    const TapeDocument& first = set.tapes.front();
    if (window->openTape(0, false)) {
        // The files as the document stamped them: changed ones are known too.
        const AudioFileCheck check = checkAudioFiles(first);
        unavailableAudio_.clear();
        for (const auto* files : {&check.missing, &check.changed})
            for (const std::string& f : *files) unavailableAudio_ << fromNative(f);
        reportOpenedTape(first, !window->tapeAsSaved(0));
        return true;
    }
    // The set plans no more with today's tapes (a track longer than any side): its first tape opens as
    // a tape of its own, planned as one, and the set's window says why.
    const bool differs = applyTapeDocument(first, QString());
    tape_.setChanged(false);
    recoveryTimer_.stop();
    if (differs) markChanged();
    showTitle();
    reportOpenedTape(first, differs);
    return true;
}

void MainForm::showSetTape(TapeModel tape, bool saved)
{
    tape_ = std::move(tape);
    showTape();
    if (Dubbing* open = dubbing_.window()) open->setSettings(tape_.dubbing());
    const MadePlan& made = *tape_.plan();
    int total = 0;
    for (int seconds : made.trackSeconds) total += seconds;
    if (tape_.isLongList()) {
        reported_ = LongDiscPlan{static_cast<std::int32_t>(made.trackSeconds.size()), total, made.plan};
        showReport(report_, QString::fromStdString(PlanReportText(*reported_)));
    } else {
        ShowTimeLabel(total, TimeTotal);
        ShowPlan(made.plan);
        Run_->setFocus();
    }
    // Showing the plan on an open label may take the texts from it: the tape's own count.
    const std::optional<LabelTexts> texts = tape_.labelTexts();
    showNewPlan();
    tape_.setLabelTexts(texts);
    labelEdits_.reset();
    if (CassetteLabel* open = label_.window())
        open->setTexts(texts.value_or(LabelTexts{tape_.tracks().album, tape_.tracks().artist, {}, {}}));

    const AudioFileCheck check = checkAudioFiles(tape_.document(lineup_));
    unavailableAudio_.clear();
    for (const auto* files : {&check.missing, &check.changed})
        for (const std::string& f : *files) unavailableAudio_ << fromNative(f);
    if (saved) {
        tape_.setChanged(false);
        recoveryTimer_.stop();
    } else {
        markChanged();
    }
    showTitle();
}

bool MainForm::SaveTape(const QString& path)
{
    TapeDocument document = tapeDocument();
    stampAudioFiles(document);
    const std::string text = writeTapeDocument(document, documentFolder(nativeName(path)));
    if (const std::optional<QString> failure = saveWholeFile(path, QByteArray::fromStdString(text))) {
        showMessage(this, Message{translated(ja("MainForm", "テープ")).toStdString(), failure->toStdString(), MessageIcon::Exclamation});
        return false;
    }
    const QString file = QFileInfo(path).absoluteFilePath();
    tape_.setFile(nativeName(file));
    rememberRecent(file);
    tape_.setChanged(false);
    recoveryTimer_.stop();
    if (!recoveryFile_.isEmpty()) QFile::remove(recoveryFile_);
    showTitle();
    return true;
}

void MainForm::showTitle()
{
    // Entries alone are not a document yet: the window keeps its plain title.
    if (tape_.onlyTypedEntries()) {
        setWindowTitle(QStringLiteral("Vantoli"));
        return;
    }
    const QString name =
        tape_.name().empty() ? translated(ja("MainForm", "無題")) : QString::fromStdString(tape_.name());
    setWindowTitle(name + QStringLiteral("[*] — Vantoli"));
    setWindowModified(tape_.changed());
}

bool MainForm::maySetAside()
{
    if (!tape_.changed() || tape_.onlyTypedEntries()) return true;
    const QString name =
        tape_.name().empty() ? translated(ja("MainForm", "無題")) : QString::fromStdString(tape_.name());
    return askToSave(this, translated(ja("MainForm", "テープ「%1」の変更を保存しますか？")).arg(name),
                     translated(ja("MainForm", "保存しないと、変更は失われます。")),
                     [this] { return tape_.file().empty() ? saveTapeAs() : SaveTape(tapeFile()); });
}

void MainForm::mnuFileOpenTape_Click()
{
    if (!maySetAside()) return;
    const QString folder = tape_.file().empty() ? QString() : QFileInfo(tapeFile()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, translated(ja("MainForm", "テープを開く")), folder,
                                                      tapeFileFilter());
    if (!path.isEmpty()) OpenTape(path);
}

void MainForm::mnuFileSaveTape_Click() { saveTapeAs(); }

bool MainForm::saveTapeAs()
{
    const QString path = chooseTapeFileToSave(this, translated(ja("MainForm", "テープを保存")), tapeFile());
    return !path.isEmpty() && SaveTape(path);
}

void MainForm::setDubbingSettings(const DubbingSettings& settings)
{
    tape_.setDubbing(settings);
    markChanged();
}

// ---- Recent tapes ---------------------------------------------------------------------------------

QStringList MainForm::recentTapes() const { return loadRecentTapes(); }

void MainForm::rememberRecent(const QString& path) { addRecentTape(path); }

void MainForm::fillRecentMenu()
{
    mnuFileRecent_->clear();
    const QStringList paths = loadRecentTapes();
    for (int i = 0; i < paths.size(); ++i) {
        QString shown = QDir::toNativeSeparators(paths[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = mnuFileRecent_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setObjectName(QStringLiteral("mnuFileRecent_%1").arg(i));
        // A tape moved or deleted since stays in the list, but cannot be chosen.
        item->setEnabled(QFileInfo(paths[i]).isFile());
        const QString path = paths[i];
        connect(item, &QAction::triggered, this, [this, path] {
            if (maySetAside()) OpenTape(path);
        });
    }
    if (!paths.isEmpty()) mnuFileRecent_->addSeparator();
    QAction* clear = mnuFileRecent_->addAction(QString());
    showText(clear, ja("MainForm", "一覧を消去(&C)"));
    clear->setObjectName(QStringLiteral("mnuFileRecentClear"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        saveRecentTapes({});
        fillRecentMenu();
    });
}

// ---- The label window -----------------------------------------------------------------------------

void MainForm::connectLabelWindow(CassetteLabel* window, bool showTapeTexts)
{
    if (!window) return;
    if (showTapeTexts && tape_.labelTexts()) window->setTexts(*tape_.labelTexts());
    // The texts typed stay with the tape when the window closes.
    disconnect(window, &CassetteLabel::edited, this, nullptr);
    connect(window, &CassetteLabel::edited, this, [this, window] {
        tape_.setLabelTexts(window->texts());
        markChanged();
    });
}

// ---- The recovery copy ----------------------------------------------------------------------------

void MainForm::markChanged()
{
    if (restoring_) return;
    tape_.setChanged(true);
    if (!recoveryFile_.isEmpty() && !recoveryTimer_.isActive()) recoveryTimer_.start(RecoveryDelayMs);
    showTitle();
}

void MainForm::keepRecoveryCopiesIn(const QString& folder)
{
    if (!QDir().mkpath(folder)) return;
    auto lock = std::make_unique<QLockFile>(folder + QStringLiteral("/recovery.lock"));
    // Held for the whole run; a lock whose program is gone is taken over, however old.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return;
    recoveryLock_ = std::move(lock);
    recoveryFile_ = folder + QStringLiteral("/recovery.vantoli");
}

void MainForm::writeRecoveryCopy()
{
    if (recoveryFile_.isEmpty() || !tape_.changed()) return;
    TapeDocument document = tapeDocument();
    document.file = tape_.file();
    const std::string text = writeTapeDocument(document, documentFolder(nativeName(recoveryFile_)));
    // A copy that cannot be written is tried again at the next change; the tape itself is not at risk.
    saveWholeFile(recoveryFile_, QByteArray::fromStdString(text));
}

bool MainForm::offerRecovery()
{
    if (recoveryFile_.isEmpty() || !QFileInfo(recoveryFile_).isFile()) return false;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vantoli"), translated(ja("MainForm", "前回の作業を復元しますか？")),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() != QMessageBox::Yes) {
        QFile::remove(recoveryFile_);
        return false;
    }
    const ParsedTapeDocument parsed = readTapeDocumentFile(nativeName(recoveryFile_));
    if (const auto* error = std::get_if<DocumentError>(&parsed)) {
        showMessage(this, documentErrorMessage(*error, QDir::toNativeSeparators(recoveryFile_).toStdString()));
        QFile::remove(recoveryFile_);
        return false;
    }
    const TapeDocument& document = std::get<TapeDocument>(parsed);
    // The copy knows the file the tape belongs to: Save writes there.
    const bool differs = applyTapeDocument(document, fromNative(document.file));
    // The work restored is still not saved anywhere else: the copy stays until it is.
    tape_.setChanged(true);
    showTitle();
    reportOpenedTape(document, differs);
    return true;
}

void MainForm::discardRecoveryCopy()
{
    recoveryTimer_.stop();
    if (!recoveryFile_.isEmpty()) QFile::remove(recoveryFile_);
}

}  // namespace vantoli
