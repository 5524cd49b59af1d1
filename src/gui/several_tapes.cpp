#include "gui/several_tapes.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>
#include <utility>
#include <variant>

#include "core/time_text.h"
#include "core/track_caption.h"
#include "device/child_tag_reader.h"
#include "device/read_files.h"
#include "device/read_source.h"
#include "device/tape_document_file.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/program_files.h"
#include "gui/file_reading.h"
#include "gui/save_file.h"
#include "gui/tape_file.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

std::string nativeName(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString timeText(std::int64_t seconds) { return QString::fromStdString(minutesSecondsText(seconds)); }

// The items as albums: the audio files together where the first of them is, every other item alone.
std::vector<QStringList> albumGroups(const QStringList& items)
{
    std::vector<QStringList> groups;
    std::size_t loose = 0;
    bool looseSeen = false;
    for (const QString& item : items) {
        const bool audio = !QFileInfo(item).isDir() && isAudioFileName(nativeName(QFileInfo(item).fileName()));
        if (!audio) {
            groups.push_back({item});
            continue;
        }
        if (!looseSeen) {
            looseSeen = true;
            loose = groups.size();
            groups.emplace_back();
        }
        groups[loose] << item;
    }
    return groups;
}

// The tracks of a tape; a tape of the set holds at most as many as a tape of its own.
std::size_t trackCount(const SetTape& tape) { return tape.sideA.tracks.size() + tape.sideB.tracks.size(); }

Message tooManyTracksMessage(std::size_t tape, std::size_t tracks)
{
    return Message{translated(ja("SeveralTapes", "複数のテープ")).toStdString(),
                   translated(
                       ja("SeveralTapes", "テープ %1 には曲が %2 曲あり、1 本のテープで扱える %3 曲を超えています。"))
                       .arg(tape + 1)
                       .arg(tracks)
                       .arg(MaxDocumentTracks)
                       .toStdString(),
                   MessageIcon::Exclamation};
}

QPushButton* button(QWidget* parent, const char* name, Ja text)
{
    auto* created = new QPushButton(parent);
    created->setObjectName(QLatin1String(name));
    showText(created, text);
    created->setAutoDefault(false);
    return created;
}

}  // namespace

SeveralTapes::SeveralTapes(MainForm& main) : main_(&main)
{
    setObjectName(QStringLiteral("SeveralTapes"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);
    showText(this, ja("SeveralTapes", "複数のテープに分ける"));
    setFont(windowFont());

    auto* layout = new QVBoxLayout(this);

    // The albums, in the order they go onto the tapes, and the buttons that change them.
    auto* lblAlbums = new QLabel(this);
    lblAlbums->setObjectName(QStringLiteral("lblAlbums"));
    showText(lblAlbums,
             ja("SeveralTapes", "アルバム（この順にテープに入れます。フォルダーやファイルをドロップできます）"));
    layout->addWidget(lblAlbums);
    auto* albumRow = new QHBoxLayout;
    lstAlbums_ = new QListWidget(this);
    lstAlbums_->setObjectName(QStringLiteral("lstAlbums"));
    lstAlbums_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstAlbums_->viewport()->setAcceptDrops(true);
    lstAlbums_->viewport()->installEventFilter(this);
    albumRow->addWidget(lstAlbums_, 1);
    auto* albumButtons = new QVBoxLayout;
    cmdAddAlbum_ = button(this, "cmdAddAlbum", ja("SeveralTapes", "追加(&A)"));
    auto* addMenu = new QMenu(cmdAddAlbum_);
    addMenu->setObjectName(QStringLiteral("mnuAlbum"));
    mnuAlbumFiles_ = addMenu->addAction(QString());
    mnuAlbumFiles_->setObjectName(QStringLiteral("mnuAlbumFiles"));
    showText(mnuAlbumFiles_, ja("SeveralTapes", "音声ファイルやプレイリストから(&F)..."));
    mnuAlbumFolder_ = addMenu->addAction(QString());
    mnuAlbumFolder_->setObjectName(QStringLiteral("mnuAlbumFolder"));
    showText(mnuAlbumFolder_, ja("SeveralTapes", "フォルダーから(&D)..."));
    cmdAddAlbum_->setMenu(addMenu);
    cmdRemoveAlbum_ = button(this, "cmdRemoveAlbum", ja("SeveralTapes", "削除(&R)"));
    cmdAlbumUp_ = button(this, "cmdAlbumUp", ja("SeveralTapes", "上へ(&U)"));
    cmdAlbumDown_ = button(this, "cmdAlbumDown", ja("SeveralTapes", "下へ(&W)"));
    for (QPushButton* b : {cmdAddAlbum_, cmdRemoveAlbum_, cmdAlbumUp_, cmdAlbumDown_}) albumButtons->addWidget(b);
    albumButtons->addStretch(1);
    albumRow->addLayout(albumButtons);
    layout->addLayout(albumRow, 1);

    chkGap_ = new QCheckBox(this);
    chkGap_->setObjectName(QStringLiteral("chkGap"));
    showText(chkGap_, ja("SeveralTapes", "曲の間に 5秒のブランクをいれる"));
    chkGap_->setChecked(true);
    layout->addWidget(chkGap_);

    // The plan: a row a track, and a row a side for what is left on it.
    tblPlan_ = new QTableWidget(0, ColumnCount, this);
    tblPlan_->setObjectName(QStringLiteral("tblPlan"));
    tblPlan_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblPlan_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblPlan_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblPlan_->verticalHeader()->hide();
    tblPlan_->verticalHeader()->setDefaultSectionSize(tblPlan_->fontMetrics().height() + 6);
    tblPlan_->setWordWrap(false);
    tblPlan_->setTextElideMode(Qt::ElideRight);
    QHeaderView* header = tblPlan_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    layout->addWidget(tblPlan_, 3);

    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setWordWrap(true);
    layout->addWidget(lblSummary_);

    auto* commands = new QHBoxLayout;
    cmdOpenTape_ = button(this, "cmdOpenTape", ja("SeveralTapes", "このテープを開く(&O)"));
    cmdSave_ = button(this, "cmdSave", ja("SeveralTapes", "保存(&S)..."));
    cmdClose_ = button(this, "cmdClose", ja("SeveralTapes", "閉じる"));
    commands->addWidget(cmdOpenTape_);
    commands->addWidget(cmdSave_);
    commands->addStretch(1);
    commands->addWidget(cmdClose_);
    layout->addLayout(commands);

    connect(mnuAlbumFiles_, &QAction::triggered, this, &SeveralTapes::mnuAlbumFiles_Click);
    connect(mnuAlbumFolder_, &QAction::triggered, this, &SeveralTapes::mnuAlbumFolder_Click);
    connect(cmdRemoveAlbum_, &QPushButton::clicked, this, &SeveralTapes::cmdRemoveAlbum_Click);
    connect(cmdAlbumUp_, &QPushButton::clicked, this, &SeveralTapes::cmdAlbumUp_Click);
    connect(cmdAlbumDown_, &QPushButton::clicked, this, &SeveralTapes::cmdAlbumDown_Click);
    connect(chkGap_, &QCheckBox::clicked, this, &SeveralTapes::chkGap_Click);
    connect(lstAlbums_, &QListWidget::itemSelectionChanged, this, &SeveralTapes::lstAlbums_SelectionChange);
    connect(tblPlan_, &QTableWidget::itemSelectionChanged, this, &SeveralTapes::tblPlan_SelectionChange);
    connect(cmdOpenTape_, &QPushButton::clicked, this, &SeveralTapes::cmdOpenTape_Click);
    connect(cmdSave_, &QPushButton::clicked, this, &SeveralTapes::cmdSave_Click);
    connect(cmdClose_, &QPushButton::clicked, this, &SeveralTapes::cmdClose_Click);

    showHeadings();
    replan();
    resize(820, 600);
}

SeveralTapes::~SeveralTapes() = default;

// ---- The albums ------------------------------------------------------------------------------------

void SeveralTapes::mnuAlbumFiles_Click()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, translated(ja("SeveralTapes", "アルバムを追加")),
                                                            QString(), audioFileFilter());
    if (!files.isEmpty()) addAlbums(files);
}

void SeveralTapes::mnuAlbumFolder_Click()
{
    const QString folder = QFileDialog::getExistingDirectory(this, translated(ja("SeveralTapes", "アルバムを追加")));
    if (!folder.isEmpty()) addAlbums({folder});
}

void SeveralTapes::addAlbums(const QStringList& items)
{
    if (reading_ || items.isEmpty()) return;
    struct Group {
        std::vector<std::string> sources;  // absolute
        SourceTracks read;
    };
    auto groups = std::make_shared<std::vector<Group>>();
    for (const QStringList& group : albumGroups(items)) {
        Group album;
        for (const QString& item : group) album.sources.push_back(nativeName(QFileInfo(item).absoluteFilePath()));
        groups->push_back(std::move(album));
    }

    // The albums are read one after another on a thread of their own, as the main window reads files;
    // a cancelled read's albums are not used.
    readInBackground(
        this, reading_, translated(ja("SeveralTapes", "アルバムを読み取っています…")),
        translated(ja("SeveralTapes", "キャンセル")),
        [groups, helper = helperFile()] {
            const ChildTagReader tags(helper);
            for (Group& group : *groups) group.read = readSource(FileSource{group.sources}, tags);
        },
        [this, groups] {
            std::vector<SetAlbum> read;
            std::vector<Message> failures;
            for (Group& group : *groups) {
                if (auto* message = std::get_if<Message>(&group.read))
                    failures.push_back(*message);
                else
                    read.push_back(SetAlbum{std::move(std::get<TrackList>(group.read)), group.sources});
            }
            takeRead(read, failures);
        },
        [this] { emit albumsRead(); });
}

void SeveralTapes::takeRead(const std::vector<SetAlbum>& read, const std::vector<Message>& failures)
{
    if (!read.empty()) {
        albums_.insert(albums_.end(), read.begin(), read.end());
        changed_ = true;
        replan();
        lstAlbums_->setCurrentRow(lstAlbums_->count() - 1);
    }
    if (failures.empty()) return;
    // What could not be read, every album's reason in one box.
    Message shown = failures.front();
    for (std::size_t i = 1; i < failures.size(); ++i) shown.text += "\r" + failures[i].text;
    showMessage(this, screenful(std::move(shown)));
}

void SeveralTapes::cmdRemoveAlbum_Click()
{
    const int row = lstAlbums_->currentRow();
    if (row < 0 || row >= static_cast<int>(albums_.size())) return;
    albums_.erase(albums_.begin() + row);
    changed_ = true;
    replan();
    lstAlbums_->setCurrentRow(std::min(row, lstAlbums_->count() - 1));
}

void SeveralTapes::cmdAlbumUp_Click() { moveAlbum(lstAlbums_->currentRow(), lstAlbums_->currentRow() - 1); }

void SeveralTapes::cmdAlbumDown_Click() { moveAlbum(lstAlbums_->currentRow(), lstAlbums_->currentRow() + 1); }

void SeveralTapes::moveAlbum(int from, int to)
{
    const int count = static_cast<int>(albums_.size());
    if (from < 0 || from >= count || to < 0 || to >= count) return;
    std::swap(albums_[static_cast<std::size_t>(from)], albums_[static_cast<std::size_t>(to)]);
    changed_ = true;
    replan();
    lstAlbums_->setCurrentRow(to);
}

void SeveralTapes::chkGap_Click()
{
    changed_ = true;
    replan();
}

void SeveralTapes::lstAlbums_SelectionChange() { showButtons(); }

void SeveralTapes::tblPlan_SelectionChange() { showButtons(); }

QString SeveralTapes::albumName(std::size_t index) const
{
    const SetAlbum& album = albums_[index];
    if (!album.tracks.album.empty()) return QString::fromStdString(album.tracks.album);
    if (!album.sources.empty())
        return QFileInfo(QFile::decodeName(QByteArray::fromStdString(album.sources.front()))).fileName();
    return translated(ja("SeveralTapes", "アルバム %1")).arg(index + 1);
}

void SeveralTapes::showAlbums()
{
    const int current = lstAlbums_->currentRow();
    lstAlbums_->clear();
    for (std::size_t i = 0; i < albums_.size(); ++i) {
        const SetAlbum& album = albums_[i];
        std::int64_t seconds = 0;
        for (int s : trackSeconds(album.tracks)) seconds += s;
        QString text = QStringLiteral("%1. %2").arg(i + 1).arg(albumName(i));
        if (!album.tracks.artist.empty()) text += QStringLiteral(" — ") + QString::fromStdString(album.tracks.artist);
        text += translated(ja("SeveralTapes", "（%1 曲・%2）")).arg(album.tracks.tracks.size()).arg(timeText(seconds));
        auto* item = new QListWidgetItem(text, lstAlbums_);
        QStringList sources;
        for (const std::string& source : album.sources) sources << QFile::decodeName(QByteArray::fromStdString(source));
        item->setToolTip(sources.join(QLatin1Char('\n')));
    }
    if (current >= 0 && current < lstAlbums_->count()) lstAlbums_->setCurrentRow(current);
}

// ---- The plan --------------------------------------------------------------------------------------

void SeveralTapes::replan()
{
    planned_ = main_ ? planSet(setAlbumSeconds(albums_), chkGap_->isChecked(), main_->lineup())
                     : SetPlanResult{NothingToPlan{}};
    showAlbums();
    showPlan();
}

void SeveralTapes::showHeadings()
{
    tblPlan_->setHorizontalHeaderLabels({translated(ja("SeveralTapes", "テープ")), translated(ja("SeveralTapes", "面")),
                                         translated(ja("SeveralTapes", "アルバム")),
                                         translated(ja("SeveralTapes", "曲")), translated(ja("SeveralTapes", "曲名")),
                                         translated(ja("SeveralTapes", "開始")),
                                         translated(ja("SeveralTapes", "長さ"))});
}

void SeveralTapes::showPlan()
{
    const int selected = selectedTape();
    tblPlan_->setRowCount(0);
    const SetPlan* set = plan();
    if (const auto* tooLong = std::get_if<TrackTooLong>(&planned_)) {
        const SetAlbum& album = albums_[static_cast<std::size_t>(tooLong->album)];
        const std::string title = album.tracks.tracks[static_cast<std::size_t>(tooLong->track)].title;
        lblSummary_->setText(
            QString::fromStdString(trackTooLongMessage(*tooLong, album.tracks.album, title).text).replace('\r', '\n'));
    } else if (!set) {
        lblSummary_->setText(albums_.empty() ? translated(ja("SeveralTapes", "アルバムを追加してください。"))
                                             : translated(ja("SeveralTapes", "テープに入れる曲がありません。")));
    }
    if (!set) {
        showButtons();
        return;
    }

    int row = 0;
    const auto addRow = [&](std::size_t tape, const QString(&cells)[ColumnCount], bool left) {
        tblPlan_->insertRow(row);
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == TapeColumn) item->setData(TapeRole, static_cast<int>(tape));
            if (column == TitleColumn || column == AlbumColumn) item->setToolTip(cells[column]);
            if (column == TrackColumn || column == StartColumn || column == LengthColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (left) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            tblPlan_->setItem(row, column, item);
        }
        ++row;
    };
    for (std::size_t t = 0; t < set->tapes.size(); ++t) {
        const SetTape& tape = set->tapes[t];
        for (const auto& [side, name] : {std::pair{&tape.sideA, "A"}, std::pair{&tape.sideB, "B"}}) {
            for (const SetTrackPlace& place : side->tracks) {
                const SetAlbum& album = albums_[static_cast<std::size_t>(place.album)];
                const Track& track = album.tracks.tracks[static_cast<std::size_t>(place.track)];
                const QString cells[ColumnCount] = {QString::number(t + 1),
                                                    QLatin1String(name),
                                                    albumName(static_cast<std::size_t>(place.album)),
                                                    QString::number(place.track + 1),
                                                    QString::fromStdString(track.title),
                                                    timeText(place.start),
                                                    timeText(place.seconds)};
                addRow(t, cells, false);
            }
            const QString left[ColumnCount] = {QString::number(t + 1),
                                               QLatin1String(name),
                                               QString(),
                                               QString(),
                                               translated(ja("SeveralTapes", "（%1 分テープ）使用 %2・残り %3"))
                                                   .arg(tape.minutes)
                                                   .arg(timeText(side->seconds))
                                                   .arg(timeText(tape.sideCapacity - side->seconds)),
                                               QString(),
                                               QString()};
            addRow(t, left, true);
        }
    }
    lblSummary_->setText(translated(ja("SeveralTapes",
                                       "テープ %1 本、合計 %2 分。アルバムの途中で面が変わるところ %3 か所"
                                       "（うちテープをまたぐもの %4 か所）。"))
                             .arg(set->tapes.size())
                             .arg(set->totalMinutes)
                             .arg(set->albumSplits)
                             .arg(set->tapeSplits));
    // The tape that was selected stays selected, when the plan still has it.
    if (selected >= 0 && selected < static_cast<int>(set->tapes.size()))
        for (int r = 0; r < tblPlan_->rowCount(); ++r)
            if (tblPlan_->item(r, TapeColumn)->data(TapeRole).toInt() == selected) {
                tblPlan_->selectRow(r);
                break;
            }
    showButtons();
}

void SeveralTapes::showButtons()
{
    const int album = lstAlbums_->currentRow();
    const int count = static_cast<int>(albums_.size());
    cmdRemoveAlbum_->setEnabled(album >= 0 && album < count);
    cmdAlbumUp_->setEnabled(album > 0 && album < count);
    cmdAlbumDown_->setEnabled(album >= 0 && album + 1 < count);
    cmdOpenTape_->setEnabled(plan() && selectedTape() >= 0);
    cmdSave_->setEnabled(plan() != nullptr);
}

int SeveralTapes::selectedTape() const
{
    const QList<QTableWidgetItem*> items = tblPlan_->selectedItems();
    for (const QTableWidgetItem* item : items) {
        const QTableWidgetItem* first = tblPlan_->item(item->row(), TapeColumn);
        if (first) return first->data(TapeRole).toInt();
    }
    return -1;
}

// ---- A tape of the set, and the set as a document -----------------------------------------------

void SeveralTapes::showSet(const SetDocument& set, const QString& file)
{
    albums_ = albumsOfSet(set);
    kept_ = set.tapes;
    file_ = file;
    chkGap_->setChecked(set.gap);
    changed_ = false;
    replan();
}

bool SeveralTapes::tapeAsSaved(int index) const
{
    const SetPlan* set = plan();
    if (!set || !main_ || index < 0 || static_cast<std::size_t>(index) >= set->tapes.size() ||
        static_cast<std::size_t>(index) >= kept_.size())
        return false;
    TapeModel tape = tapeOfSet(*set, static_cast<std::size_t>(index), albums_, chkGap_->isChecked());
    return tape.takeTextsOf(kept_[static_cast<std::size_t>(index)]);
}

bool SeveralTapes::openTape(int index, bool ask)
{
    const SetPlan* set = plan();
    if (!set || !main_ || index < 0 || static_cast<std::size_t>(index) >= set->tapes.size()) return false;
    const SetTape& chosen = set->tapes[static_cast<std::size_t>(index)];
    if (trackCount(chosen) > static_cast<std::size_t>(MaxDocumentTracks)) {
        if (ask) showMessage(this, tooManyTracksMessage(static_cast<std::size_t>(index), trackCount(chosen)));
        return false;
    }
    if (ask && !main_->maySetAside()) return false;
    TapeModel tape = tapeOfSet(*set, static_cast<std::size_t>(index), albums_, chkGap_->isChecked());
    bool kept = false;
    for (const TapeDocument& saved : kept_)
        if ((kept = tape.takeTextsOf(saved))) break;
    // A tape of a set saved as it is needs no saving of its own.
    main_->showSetTape(std::move(tape), kept && !file_.isEmpty() && !changed_);
    return true;
}

void SeveralTapes::cmdOpenTape_Click()
{
    if (openTape(selectedTape())) bringToFront(main_.data());
}

bool SeveralTapes::SaveSet(const QString& path)
{
    const SetPlan* set = plan();
    if (!set || !main_) return false;
    for (std::size_t i = 0; i < set->tapes.size(); ++i)
        if (trackCount(set->tapes[i]) > static_cast<std::size_t>(MaxDocumentTracks)) {
            showMessage(this, tooManyTracksMessage(i, trackCount(set->tapes[i])));
            return false;
        }
    // The main window's tape, when it is a tape of this set, holds what was typed for it there.
    std::vector<TapeDocument> kept = kept_;
    kept.insert(kept.begin(), main_->tapeDocument());
    SetDocument document = setDocumentOf(*set, albums_, chkGap_->isChecked(), main_->lineup(), kept);
    for (TapeDocument& tape : document.tapes) stampAudioFiles(tape);
    const std::string text = writeSetDocument(document, documentFolder(nativeName(path)));
    if (const std::optional<QString> failure = saveWholeFile(path, QByteArray::fromStdString(text))) {
        showMessage(this, Message{translated(ja("SeveralTapes", "テープ")).toStdString(), failure->toStdString(),
                                  MessageIcon::Exclamation});
        return false;
    }
    file_ = QFileInfo(path).absoluteFilePath();
    kept_ = document.tapes;
    changed_ = false;
    addRecentTape(file_);
    return true;
}

void SeveralTapes::cmdSave_Click() { saveSetAs(); }

bool SeveralTapes::saveSetAs()
{
    const QString path = chooseTapeFileToSave(this, translated(ja("SeveralTapes", "複数のテープを保存")), file_);
    return !path.isEmpty() && SaveSet(path);
}

bool SeveralTapes::maySetAside()
{
    if (!hasUnsavedChanges()) return true;
    const QString name = file_.isEmpty() ? translated(ja("SeveralTapes", "無題")) : QFileInfo(file_).completeBaseName();
    // Discarded, the set is not asked about again (the program's end, then the window's close).
    const bool goOn = askToSave(this, translated(ja("SeveralTapes", "複数のテープ「%1」の変更を保存しますか？")).arg(name),
                                translated(ja("SeveralTapes", "保存しないと、アルバムの並びと計画は失われます。")),
                                [this] { return file_.isEmpty() ? saveSetAs() : SaveSet(file_); });
    if (goOn) changed_ = false;
    return goOn;
}

void SeveralTapes::cmdClose_Click() { close(); }

// ---- Events ----------------------------------------------------------------------------------------

void SeveralTapes::closeEvent(QCloseEvent* event)
{
    if (maySetAside())
        event->accept();
    else
        event->ignore();
}

void SeveralTapes::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && tblPlan_) {
        showHeadings();
        showAlbums();
        showPlan();
    }
    QWidget::changeEvent(event);
}

bool SeveralTapes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstAlbums_->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!droppedPaths(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = droppedPaths(drop->mimeData());
            if (!paths.isEmpty()) {
                drop->acceptProposedAction();
                // Read once the drop is over, so that the file manager is not kept waiting.
                QMetaObject::invokeMethod(
                    this, [this, paths] { addAlbums(paths); }, Qt::QueuedConnection);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

SeveralTapes* showSeveralTapes(SingleWindow<SeveralTapes>& holder, MainForm& main)
{
    SeveralTapes* window = holder.load(main);
    bringToFront(window);
    return window;
}

}  // namespace vantoli
