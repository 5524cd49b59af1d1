#include "gui/cassette_label.h"

#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

#include "gui/fonts.h"
#include "gui/jcard_output.h"
#include "gui/jcard_painter.h"
#include "gui/message_box.h"
#include "gui/print_loader.h"
#include "gui/tape_settings.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

constexpr double PreviewMargin = 8;       // pixels of grey around the card in the preview
constexpr QSize PreferredSize(900, 620);  // a new window's size in pixels, frame left out

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString timeText(int seconds) { return QString::fromStdString(labelTimeText(seconds)); }

QTableWidgetItem* fixedItem(const QString& s, Qt::Alignment align)
{
    auto* item = new QTableWidgetItem(s);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align | Qt::AlignVCenter);
    return item;
}

void showHeadings(QTableWidget* table)
{
    table->setHorizontalHeaderLabels({translated(ja("CassetteLabel", "No.")), translated(ja("CassetteLabel", "曲名")),
                                      translated(ja("CassetteLabel", "長さ")), translated(ja("CassetteLabel", "開始")),
                                      translated(ja("CassetteLabel", "カウンター"))});
}

QTableWidget* sideTable(QWidget* parent, const char* name)
{
    auto* table = new QTableWidget(0, 5, parent);
    table->setObjectName(QString::fromUtf8(name));
    showHeadings(table);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->setTabKeyNavigation(false);
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(CassetteLabel::TitleColumn, QHeaderView::Stretch);
    showToolTip(table, ja("CassetteLabel", "曲名はダブルクリックするか、選んで入力すると書き換えられます"));
    // Shown when the deck's counter is in use.
    table->setColumnHidden(CassetteLabel::CounterColumn, true);
    return table;
}

// The side's time as it plays, the blanks between tracks included (the main window's Total leaves
// them out), and the tape left after it.
QString sideTotalText(const LabelSide& side)
{
    return translated(ja("CassetteLabel", "合計（ブランク込み） %1　　テープの残り %2"))
        .arg(timeText(side.playing), timeText(side.left));
}

// A file name made of the tape's title, without the characters file systems refuse.
QString fileNameOf(const QString& title)
{
    QString name = title.trimmed();
    name.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])")), QStringLiteral("_"));
    if (name.isEmpty() || name.startsWith('.')) name = translated(ja("CassetteLabel", "カセットレーベル")) + name;
    return name.left(100) + QStringLiteral(".pdf");
}

}  // namespace

// The preview.

JCardPreview::JCardPreview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picPreview"));
    setMinimumSize(260, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void JCardPreview::setLabel(const LabelContent& label)
{
    label_ = label;
    update();
}

double JCardPreview::pixelsPerMm() const
{
    const double across = (width() - 2 * PreviewMargin) / JCard::Width;
    const double down = (height() - 2 * PreviewMargin) / JCard::Height;
    return std::max(0.1, std::min(across, down));
}

QPointF JCardPreview::cardTopLeft() const
{
    const double scale = pixelsPerMm();
    return QPointF((width() - JCard::Width * scale) / 2, (height() - JCard::Height * scale) / 2);
}

QSize JCardPreview::sizeHint() const
{
    // About four pixels to the millimetre: the card a little larger than on paper on most screens.
    return QSize(static_cast<int>(JCard::Width * 4 + 2 * PreviewMargin),
                 static_cast<int>(JCard::Height * 4 + 2 * PreviewMargin));
}

void JCardPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    paintJCard(painter, label_, cardTopLeft(), pixelsPerMm());
}

// The window.

CassetteLabel::CassetteLabel() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("CassetteLabel"));
    showText(this, ja("CassetteLabel", "カセットレーベル"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing the main window ends the program even while this window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(windowFont());

    txtTitle_ = new QLineEdit(this);
    txtTitle_->setObjectName(QStringLiteral("txtTitle"));
    txtArtist_ = new QLineEdit(this);
    txtArtist_->setObjectName(QStringLiteral("txtArtist"));
    txtNote_ = new QLineEdit(this);
    txtNote_->setObjectName(QStringLiteral("txtNote"));
    showPlaceholder(txtNote_, ja("CassetteLabel", "例：TYPE II、Dolby B、2024年8月31日録音"));
    auto* fields = new QFormLayout;
    const auto addField = [this, fields](Ja caption, QLineEdit* field) {
        auto* label = new QLabel(this);
        showText(label, caption);
        label->setBuddy(field);
        fields->addRow(label, field);
    };
    addField(ja("CassetteLabel", "タイトル(&T):"), txtTitle_);
    addField(ja("CassetteLabel", "アーティスト(&A):"), txtArtist_);
    addField(ja("CassetteLabel", "メモ(&M):"), txtNote_);

    tblSideA_ = sideTable(this, "tblSideA");
    tblSideB_ = sideTable(this, "tblSideB");
    lblSideATotal_ = new QLabel(this);
    lblSideATotal_->setObjectName(QStringLiteral("lblSideATotal"));
    lblSideBTotal_ = new QLabel(this);
    lblSideBTotal_->setObjectName(QStringLiteral("lblSideBTotal"));
    auto* sides = new QVBoxLayout;
    auto addSide = [this, sides](Ja heading, QTableWidget* table, QLabel* total) {
        auto* label = new QLabel(this);
        showText(label, heading);
        label->setBuddy(table);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        sides->addWidget(label);
        sides->addWidget(table, 1);
        sides->addWidget(total);
    };
    addSide(ja("CassetteLabel", "A面(&1)"), tblSideA_, lblSideATotal_);
    sides->addSpacing(6);
    addSide(ja("CassetteLabel", "B面(&2)"), tblSideB_, lblSideBTotal_);

    picPreview_ = new JCardPreview(this);
    auto* previewBox = new QGroupBox(this);
    showText(previewBox, ja("CassetteLabel", "プレビュー"));
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->addWidget(picPreview_);

    auto* middle = new QHBoxLayout;
    middle->addLayout(sides, 1);
    middle->addWidget(previewBox, 1);

    cmdPdf_ = new QPushButton(this);
    showText(cmdPdf_, ja("CassetteLabel", "PDFに保存(&P)..."));
    cmdPdf_->setObjectName(QStringLiteral("cmdPdf"));
    cmdPrint_ = new QPushButton(this);
    showText(cmdPrint_, ja("CassetteLabel", "印刷(&R)..."));
    cmdPrint_->setObjectName(QStringLiteral("cmdPrint"));
    cmdClose_ = new QPushButton(this);
    showText(cmdClose_, ja("CassetteLabel", "閉じる"));
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    // As everywhere in the program, a push button that has the focus is pressed by Enter too.
    for (QPushButton* button : {cmdPdf_, cmdPrint_, cmdClose_}) button->setAutoDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPdf_);
    buttons->addWidget(cmdPrint_);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    connect(cmdPdf_, &QPushButton::clicked, this, &CassetteLabel::cmdPdf_Click);
    connect(cmdPrint_, &QPushButton::clicked, this, &CassetteLabel::cmdPrint_Click);
    connect(cmdClose_, &QPushButton::clicked, this, &CassetteLabel::cmdClose_Click);
    for (QLineEdit* edit : {txtTitle_, txtArtist_, txtNote_})
        connect(edit, &QLineEdit::textChanged, this, &CassetteLabel::updatePreview);
    for (QTableWidget* table : {tblSideA_, tblSideB_})
        connect(table, &QTableWidget::itemChanged, this, &CassetteLabel::updatePreview);

    resize(PreferredSize);
    txtTitle_->setFocus();
}

CassetteLabel::~CassetteLabel() = default;

void CassetteLabel::setPlan(const MadePlan& made)
{
    const LabelContent prefilled = labelContent(made);
    LabelContent shown = prefilled;
    if (hasPlan_) keepTypedTexts(shown, prefilled_, label());
    prefilled_ = prefilled;
    hasPlan_ = true;
    fill(shown);
}

LabelContent CassetteLabel::label() const
{
    LabelContent label = prefilled_;
    label.title = txtTitle_->text().toStdString();
    label.artist = txtArtist_->text().toStdString();
    label.note = txtNote_->text().toStdString();
    auto readTitles = [](const QTableWidget* table, LabelSide& side) {
        for (int row = 0; row < table->rowCount() && row < static_cast<int>(side.tracks.size()); ++row)
            if (const QTableWidgetItem* item = table->item(row, TitleColumn))
                side.tracks[static_cast<std::size_t>(row)].title = item->text().toStdString();
    };
    readTitles(tblSideA_, label.sideA);
    readTitles(tblSideB_, label.sideB);
    fillCounterReadings(label, counter_);
    return label;
}

void CassetteLabel::setCounter(const std::optional<CounterCalibration>& calibration)
{
    counter_ = calibration;
    const LabelContent shown = label();
    const auto showCounters = [this](QTableWidget* table, const LabelSide& side) {
        table->setColumnHidden(CounterColumn, !counter_);
        for (int row = 0; row < table->rowCount() && row < static_cast<int>(side.tracks.size()); ++row) {
            const std::optional<int> counter = side.tracks[static_cast<std::size_t>(row)].counter;
            table->setItem(row, CounterColumn,
                           fixedItem(counter ? QString::number(*counter) : QString(), Qt::AlignRight));
        }
    };
    filling_ = true;
    showCounters(tblSideA_, shown.sideA);
    showCounters(tblSideB_, shown.sideB);
    filling_ = false;
    // The card changes; what the user typed does not.
    picPreview_->setLabel(shown);
}

void CassetteLabel::placeOnScreen(const QWidget* owner)
{
    const QScreen* shownOn = owner ? owner->screen() : screen();
    if (!shownOn) return;
    const QRect area = shownOn->availableGeometry();
    // The window system frames this window only once it is shown: its frame is taken to be as wide
    // as the owner's.
    QMargins frame;
    if (owner && owner->isVisible()) {
        const QRect outer = owner->frameGeometry();
        const QRect inner = owner->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    }
    const QSize room = area.size().shrunkBy(frame);
    const QSize size = PreferredSize.boundedTo(room).expandedTo(minimumSizeHint()).boundedTo(room);
    resize(size);
    const QSize outer = size.grownBy(frame);
    const QPoint middle = owner ? owner->frameGeometry().center() : area.center();
    const int left = std::clamp(middle.x() - outer.width() / 2, area.left(), area.right() + 1 - outer.width());
    const int top = std::clamp(middle.y() - outer.height() / 2, area.top(), area.bottom() + 1 - outer.height());
    move(left, top);
}

LabelEdits CassetteLabel::edits() const { return LabelEdits{prefilled_, label()}; }

void CassetteLabel::restoreEdits(const LabelEdits& edits)
{
    prefilled_ = edits.filled;
    hasPlan_ = true;
    fill(edits.typed);
}

std::optional<LabelTexts> CassetteLabel::texts() const
{
    if (!hasPlan_) return std::nullopt;
    return labelTexts(prefilled_, label());
}

void CassetteLabel::setTexts(const LabelTexts& texts)
{
    if (!hasPlan_) return;
    LabelContent shown = prefilled_;
    applyLabelTexts(shown, texts);
    fill(shown);
}

void CassetteLabel::fill(const LabelContent& content)
{
    LabelContent label = content;
    fillCounterReadings(label, counter_);
    filling_ = true;
    txtTitle_->setText(text(label.title));
    txtArtist_->setText(text(label.artist));
    txtNote_->setText(text(label.note));
    fillSide(tblSideA_, lblSideATotal_, label.sideA);
    fillSide(tblSideB_, lblSideBTotal_, label.sideB);
    filling_ = false;
    updatePreview();
}

void CassetteLabel::fillSide(QTableWidget* table, QLabel* total, const LabelSide& side)
{
    table->setRowCount(0);
    table->setRowCount(static_cast<int>(side.tracks.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const LabelTrack& track = side.tracks[static_cast<std::size_t>(row)];
        table->setItem(row, NumberColumn, fixedItem(QString::number(track.number), Qt::AlignRight));
        auto* title = new QTableWidgetItem(text(track.title));
        title->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        table->setItem(row, TitleColumn, title);
        table->setItem(row, LengthColumn, fixedItem(timeText(track.seconds), Qt::AlignRight));
        table->setItem(row, StartColumn, fixedItem(timeText(track.start), Qt::AlignRight));
        table->setItem(row, CounterColumn,
                       fixedItem(track.counter ? QString::number(*track.counter) : QString(), Qt::AlignRight));
    }
    table->setColumnHidden(CounterColumn, !counter_);
    total->setText(sideTotalText(side));
}

void CassetteLabel::updatePreview()
{
    if (filling_) return;
    picPreview_->setLabel(label());
    emit edited();
}

QString CassetteLabel::suggestedFileName() const
{
    const QString folder = folder_.isEmpty() ? QDir::homePath() : folder_;
    return QDir(folder).filePath(fileNameOf(txtTitle_->text()));
}

void CassetteLabel::cmdPdf_Click()
{
    QFileDialog dialog(this, translated(ja("CassetteLabel", "PDFに保存")), suggestedFileName(),
                       QStringLiteral("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Qt's own dialog adds it before asking whether to replace a file of that name.
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) return;
    // A dialog of the system may leave the extension to us.
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    folder_ = QFileInfo(path).absolutePath();
    if (const std::optional<Message> failure = saveJCardPdf(path, label())) showMessage(this, *failure);
}

void CassetteLabel::cmdPrint_Click()
{
    if (!printer_) printer_ = openPrintSession();
    const std::optional<PrintOutcome> outcome =
        printer_ ? std::optional(printer_->print(this, jcardPrintJob(label()))) : std::nullopt;
    if (const std::optional<Message> failure = printFailure(outcome)) showMessage(this, *failure);
}

void CassetteLabel::cmdClose_Click() { close(); }

// A change of language shows the headings, the sides' totals and the card anew.
void CassetteLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && tblSideA_) {
        showHeadings(tblSideA_);
        showHeadings(tblSideB_);
        const LabelContent shown = label();
        lblSideATotal_->setText(sideTotalText(shown.sideA));
        lblSideBTotal_->setText(sideTotalText(shown.sideB));
        updatePreview();
    }
    QWidget::changeEvent(event);
}

void CassetteLabel::keyPressEvent(QKeyEvent* event)
{
    // Esc reaches the window when no control wants it (an open title editor takes it to cancel).
    if (event->key() == Qt::Key_Escape && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CassetteLabel::closeEvent(QCloseEvent* event)
{
    if (hasPlan_) emit closing(edits());
    QWidget::closeEvent(event);
}

CassetteLabel* showCassetteLabel(SingleWindow<CassetteLabel>& holder, const MadePlan& made,
                                 const std::optional<LabelEdits>& earlier, const QWidget* owner)
{
    const bool loading = holder.window() == nullptr;
    CassetteLabel* window = holder.load();
    if (loading) window->placeOnScreen(owner);
    if (loading) window->setCounter(loadCounterCalibration());
    if (loading && earlier) window->restoreEdits(*earlier);
    window->setPlan(made);
    bringToFront(window);
    return window;
}

}  // namespace vantoli
