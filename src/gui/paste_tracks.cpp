#include "gui/paste_tracks.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/pasted_tracks.h"
#include "gui/fonts.h"

namespace vantoli {

namespace {

enum Column { LineColumn, TimeColumn, TitleColumn, ArtistColumn, ColumnCount };

QString timeText(std::int64_t milliseconds)
{
    const std::int64_t seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

PasteTracks::PasteTracks(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PasteTracks"));
    setWindowTitle(QStringLiteral("曲リストを貼り付け"));
    setFont(windowFont());
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("お店や配信サービスの曲リストを貼り付けてください。1行に1曲、演奏時間（"
                                                "4:31 など）のある行を読み取ります。"),
                                 this));
    auto* panes = new QHBoxLayout;
    txtPaste_ = new QPlainTextEdit(this);
    txtPaste_->setObjectName(QStringLiteral("txtPaste"));
    txtPaste_->setLineWrapMode(QPlainTextEdit::NoWrap);
    panes->addWidget(txtPaste_, 1);
    tblParsed_ = new QTableWidget(0, ColumnCount, this);
    tblParsed_->setObjectName(QStringLiteral("tblParsed"));
    tblParsed_->setHorizontalHeaderLabels(
        {QStringLiteral("行"), QStringLiteral("タイム"), QStringLiteral("曲名"), QStringLiteral("アーティスト")});
    tblParsed_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblParsed_->verticalHeader()->hide();
    tblParsed_->horizontalHeader()->setStretchLastSection(true);
    panes->addWidget(tblParsed_, 1);
    layout->addLayout(panes, 1);
    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    layout->addWidget(lblSummary_);

    auto* buttons = new QDialogButtonBox(this);
    cmdOK_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_ = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(txtPaste_, &QPlainTextEdit::textChanged, this, &PasteTracks::txtPaste_Change);
    txtPaste_Change();
    txtPaste_->setFocus();
    resize(760, 420);
}

void PasteTracks::txtPaste_Change()
{
    const std::vector<PastedLine> lines = parsePastedTracks(txtPaste_->toPlainText().toStdString());
    tracks_ = pastedTrackList(lines);

    tblParsed_->setRowCount(static_cast<int>(lines.size()));
    int unread = 0;
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const PastedLine& line = lines[static_cast<std::size_t>(row)];
        QString cells[ColumnCount];
        cells[LineColumn] = QString::number(line.number);
        if (line.track) {
            cells[TimeColumn] = timeText(line.track->milliseconds);
            cells[TitleColumn] = QString::fromStdString(line.track->title);
            cells[ArtistColumn] = QString::fromStdString(line.track->artist);
        } else {
            ++unread;
            cells[TimeColumn] = QStringLiteral("？");
            cells[TitleColumn] = QStringLiteral("読み取れません: ") + QString::fromStdString(line.text);
        }
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (!line.track) item->setForeground(Qt::red);
            tblParsed_->setItem(row, column, item);
        }
    }
    tblParsed_->resizeColumnToContents(LineColumn);
    tblParsed_->resizeColumnToContents(TimeColumn);

    QString summary = QStringLiteral("%1 曲を読み取りました。").arg(tracks_.tracks.size());
    if (unread > 0) summary += QStringLiteral("読み取れない行が %1 行あります（赤で表示）。").arg(unread);
    lblSummary_->setText(summary);
    cmdOK_->setEnabled(!tracks_.tracks.empty());
}

}  // namespace vantoli
