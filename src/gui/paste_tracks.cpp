#include "gui/paste_tracks.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/pasted_tracks.h"
#include "core/time_text.h"
#include "gui/dialog_buttons.h"
#include "gui/fonts.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

enum Column { LineColumn, TimeColumn, TitleColumn, ArtistColumn, ColumnCount };

QString timeText(std::int64_t milliseconds) { return QString::fromStdString(minutesSecondsText(milliseconds / 1000)); }

}  // namespace

PasteTracks::PasteTracks(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PasteTracks"));
    showText(this, ja("PasteTracks", "曲リストを貼り付け"));
    setFont(windowFont());
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* lblPrompt = new QLabel(this);
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    showText(lblPrompt, ja("PasteTracks", "お店や配信サービスの曲リストを貼り付けてください。1行に1曲、演奏時間（"
                                          "4:31 など）のある行を読み取ります。"));
    layout->addWidget(lblPrompt);
    auto* panes = new QHBoxLayout;
    txtPaste_ = new QPlainTextEdit(this);
    txtPaste_->setObjectName(QStringLiteral("txtPaste"));
    txtPaste_->setLineWrapMode(QPlainTextEdit::NoWrap);
    panes->addWidget(txtPaste_, 1);
    tblParsed_ = new QTableWidget(0, ColumnCount, this);
    tblParsed_->setObjectName(QStringLiteral("tblParsed"));
    tblParsed_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblParsed_->verticalHeader()->hide();
    // Each column as wide as what it shows; the title takes the room left, and what does not fit is
    // cut short with "…" rather than wrapped (the cell's tool tip holds all of it).
    tblParsed_->setWordWrap(false);
    tblParsed_->setTextElideMode(Qt::ElideRight);
    QHeaderView* header = tblParsed_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    panes->addWidget(tblParsed_, 1);
    layout->addLayout(panes, 1);
    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    layout->addWidget(lblSummary_);

    const OkCancelButtons buttons = okCancelButtons(this, ja("PasteTracks", "キャンセル"));
    cmdOK_ = buttons.ok;
    cmdCancel_ = buttons.cancel;
    layout->addWidget(buttons.box);

    connect(txtPaste_, &QPlainTextEdit::textChanged, this, &PasteTracks::txtPaste_Change);
    showHeadings();
    txtPaste_Change();
    txtPaste_->setFocus();
    resize(760, 420);
}

void PasteTracks::showHeadings()
{
    tblParsed_->setHorizontalHeaderLabels({translated(ja("PasteTracks", "行")), translated(ja("PasteTracks", "タイム")),
                                           translated(ja("PasteTracks", "曲名")),
                                           translated(ja("PasteTracks", "アーティスト"))});
}

// The headings, the lines that cannot be read and the summary are shown anew in the new language.
void PasteTracks::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && tblParsed_) {
        showHeadings();
        txtPaste_Change();
    }
    QDialog::changeEvent(event);
}

void PasteTracks::txtPaste_Change()
{
    const std::vector<PastedLine> lines = parsePastedTracks(txtPaste_->toPlainText().toStdString());
    tracks_ = pastedTrackList(lines);

    tblParsed_->setRowCount(static_cast<int>(lines.size()));
    int unread = 0;
    int left = 0;
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const PastedLine& line = lines[static_cast<std::size_t>(row)];
        QString cells[ColumnCount];
        cells[LineColumn] = QString::number(line.number);
        if (line.track) {
            cells[TimeColumn] = timeText(line.track->milliseconds);
            cells[TitleColumn] = QString::fromStdString(line.track->title);
            cells[ArtistColumn] = QString::fromStdString(line.track->artist);
        } else if (line.notATrack) {
            ++left;
            cells[TitleColumn] = translated(ja("PasteTracks", "曲ではありません: ")) + QString::fromStdString(line.text);
        } else {
            ++unread;
            cells[TimeColumn] = translated(ja("PasteTracks", "？"));
            cells[TitleColumn] = translated(ja("PasteTracks", "読み取れません: ")) + QString::fromStdString(line.text);
        }
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (line.notATrack)
                item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            else if (!line.track)
                item->setForeground(Qt::red);
            if (column == TitleColumn || column == ArtistColumn) item->setToolTip(cells[column]);
            tblParsed_->setItem(row, column, item);
        }
    }

    QString summary = translated(ja("PasteTracks", "%1 曲を読み取りました。")).arg(tracks_.tracks.size());
    if (left > 0) summary += translated(ja("PasteTracks", "曲でない行 %1 行を除きました（灰色で表示）。")).arg(left);
    if (unread > 0) summary += translated(ja("PasteTracks", "読み取れない行が %1 行あります（赤で表示）。")).arg(unread);
    lblSummary_->setText(summary);
    cmdOK_->setEnabled(!tracks_.tracks.empty());
}

}  // namespace vantoli
