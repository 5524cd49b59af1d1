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

#include "core/track_caption.h"
#include "device/tape_document_file.h"
#include "gui/dubbing.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/save_file.h"
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
    TapeDocument document;
    for (const QString& source : sources_) document.sources.push_back(nativeName(source));
    int filled = EntryCount;
    while (filled > 0 && Tm_[filled - 1]->text().isEmpty()) --filled;
    for (int i = 0; i < filled; ++i) document.entries.push_back(Tm_[i]->text().toStdString());
    document.longList = longList_.has_value();
    document.tracks = longList_ ? *longList_ : trackTitles_;
    document.options = planOptions();
    document.lineup = lineup_;
    // The plan shown: the long list's report, or the plan in the main window's panel.
    if (lastPlan_ && (longList_ || !TapeType()->text().isEmpty())) document.plan = savedPlanOf(lastPlan_->plan);
    if (CassetteLabel* open = label_.window())
        document.label = open->texts();
    else
        document.label = labelTexts_;
    document.dubbing = dubbingSettings_;
    return document;
}

bool MainForm::applyTapeDocument(const TapeDocument& document)
{
    restoring_ = true;
    Clear_Click();
    for (std::size_t i = 0; i < document.entries.size() && i < static_cast<std::size_t>(EntryCount); ++i)
        Tm_[i]->setText(QString::fromStdString(document.entries[i]));
    mnuSettingCD_->setChecked(document.options.keepOrder);
    mnuSetting5sec_->setChecked(document.options.gap);
    mnuSettingOptimal_->setChecked(document.options.exact);
    dubbingSettings_ = document.dubbing;
    if (Dubbing* open = dubbing_.window()) open->setSettings(dubbingSettings_);

    // The plan is made anew with the tapes of today, as the window would make it.
    longList_.reset();
    bool planned = false;
    if (document.longList) {
        showLongDiscPlan(trackSeconds(document.tracks), static_cast<std::int32_t>(document.tracks.tracks.size()),
                         document.tracks);
        planned = longList_.has_value();
    } else {
        setTrackTitles(document.tracks);
        if (document.plan) {
            Run_Click();
            planned = !TapeType()->text().isEmpty();
        }
        Run_->setFocus();
    }
    for (const std::string& source : document.sources) sources_ << fromNative(source);
    labelTexts_ = document.label;
    labelEdits_.reset();
    // An open label shows the tape's texts, or the label as its plan fills it: nothing typed for the
    // tape shown before stays.
    if (CassetteLabel* open = label_.window())
        open->setTexts(labelTexts_.value_or(LabelTexts{document.tracks.album, document.tracks.artist, {}, {}}));
    restoring_ = false;

    const bool differs = document.plan && (!planned || !samePlan(*document.plan, lastPlan_->plan));
    const AudioFileCheck check = checkAudioFiles(document);
    unavailableAudio_.clear();
    for (const auto* files : {&check.missing, &check.changed})
        for (const std::string& file : *files) unavailableAudio_ << fromNative(file);
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
    const ParsedTapeDocument parsed = readTapeDocumentFile(nativeName(path));
    if (const auto* error = std::get_if<DocumentError>(&parsed)) {
        showMessage(this, documentErrorMessage(*error, QDir::toNativeSeparators(path).toStdString()));
        return false;
    }
    tapeFile_ = QFileInfo(path).absoluteFilePath();
    rememberRecent(tapeFile_);
    const TapeDocument& document = std::get<TapeDocument>(parsed);
    const bool differs = applyTapeDocument(document);
    // A plan made anew is a change the file does not hold yet.
    changed_ = false;
    recoveryTimer_.stop();
    if (differs)
        markChanged();
    else if (!recoveryFile_.isEmpty())
        QFile::remove(recoveryFile_);
    reportOpenedTape(document, differs);
    return true;
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
    tapeFile_ = QFileInfo(path).absoluteFilePath();
    rememberRecent(tapeFile_);
    changed_ = false;
    recoveryTimer_.stop();
    if (!recoveryFile_.isEmpty()) QFile::remove(recoveryFile_);
    return true;
}

void MainForm::mnuFileOpenTape_Click()
{
    const QString folder = tapeFile_.isEmpty() ? QString() : QFileInfo(tapeFile_).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, translated(ja("MainForm", "テープを開く")), folder,
                                                      tapeFileFilter());
    if (!path.isEmpty()) OpenTape(path);
}

void MainForm::mnuFileSaveTape_Click()
{
    QFileDialog dialog(this, translated(ja("MainForm", "テープを保存")), tapeFile_, tapeFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vantoli"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".vantoli");
    SaveTape(path);
}

void MainForm::setDubbingSettings(const DubbingSettings& settings)
{
    dubbingSettings_ = settings;
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
        connect(item, &QAction::triggered, this, [this, path] { OpenTape(path); });
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
    if (showTapeTexts && labelTexts_) window->setTexts(*labelTexts_);
    // The texts typed stay with the tape when the window closes.
    disconnect(window, &CassetteLabel::edited, this, nullptr);
    connect(window, &CassetteLabel::edited, this, [this, window] {
        labelTexts_ = window->texts();
        markChanged();
    });
}

// ---- The recovery copy ----------------------------------------------------------------------------

void MainForm::markChanged()
{
    if (restoring_) return;
    changed_ = true;
    if (!recoveryFile_.isEmpty() && !recoveryTimer_.isActive()) recoveryTimer_.start(RecoveryDelayMs);
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
    if (recoveryFile_.isEmpty() || !changed_) return;
    const std::string text = writeTapeDocument(tapeDocument(), documentFolder(nativeName(recoveryFile_)));
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
    const bool differs = applyTapeDocument(document);
    // The work restored is still not saved anywhere else: the copy stays until it is.
    changed_ = true;
    reportOpenedTape(document, differs);
    return true;
}

void MainForm::discardRecoveryCopy()
{
    recoveryTimer_.stop();
    if (!recoveryFile_.isEmpty()) QFile::remove(recoveryFile_);
}

}  // namespace vantoli
