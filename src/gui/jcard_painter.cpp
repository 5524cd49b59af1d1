#include "gui/jcard_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/time_text.h"
#include "gui/fonts.h"
#include "gui/translation.h"

namespace vantoli {

namespace {

// Distances inside the card, in millimetres.
constexpr double Margin = 3.0;       // from a panel's left and right edges, and the front's top
constexpr double ColumnGap = 3.0;    // between two columns of the track lists
constexpr double NumberWidth = 4.2;  // "99"
constexpr double LengthWidth = 7.6;  // "50:45"
constexpr double CellGap = 0.9;      // between number, counter, title, start and length
constexpr double CutLineWidth = 0.12;
constexpr double FoldLineWidth = 0.12;
constexpr double RuleWidth = 0.1;

// Type sizes in points: the size a text starts at and the floor it may shrink to.
constexpr double TitlePt = 11.0;
constexpr double TitleFloorPt = 6.0;
constexpr double ArtistPt = 8.0;
constexpr double ArtistFloorPt = 5.0;
constexpr double HeadingPt = 7.5;
constexpr double RowPt = 7.0;       // a track row of a short side
constexpr double RowFloorPt = 4.5;  // the smallest track row, for long discs
constexpr double RowTitleFloorPt = 4.0;
constexpr double ColumnShrink = 0.75;  // a column's type shrinks for a long title to this much at most
constexpr double SpinePt = 9.0;
constexpr double SpineFloorPt = 5.0;
constexpr double SpineTapePt = 7.5;
constexpr double FlapPt = 7.0;
constexpr double FlapFloorPt = 4.5;
constexpr double InstructionPt = 7.0;

constexpr double PtPerMm = 72.0 / JCard::Inch;
constexpr double RowLineSpacing = 1.12;   // a row's height over its type's height
constexpr double ShortListSpacing = 1.3;  // the same for a short list, which has room to spare

const QString Ellipsis = QStringLiteral("…");

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QString timeText(int seconds) { return QString::fromStdString(labelTimeText(seconds)); }

// Paints in millimetres on the card and in points for type, whatever the device's resolution: lines
// and boxes are turned into device pixels here, so that the type is laid out in device pixels at its
// true size (a world transform would make Qt lay out type of a fraction of a pixel).
class CardPainter {
public:
    CardPainter(QPainter& painter, QPointF topLeft, double pixelsPerMm)
        : painter_(painter),
          topLeft_(topLeft),
          pixelsPerMm_(pixelsPerMm)
    {
        const QPaintDevice* device = painter.device();
        dpi_ = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
        family_ = windowFont().family();
    }

    QPointF at(double x, double y) const { return topLeft_ + QPointF(x, y) * pixelsPerMm_; }
    QRectF rect(const QRectF& mm) const { return QRectF(at(mm.left(), mm.top()), mm.size() * pixelsPerMm_); }
    double px(double mm) const { return mm * pixelsPerMm_; }

    // The card's family at `pt` points on the card, in whatever scale the card is painted.
    QFont font(double pt, bool bold = false) const
    {
        QFont f(family_);
        // A point of the font is 1/72 in on the device; the card's point is pixelsPerMm / PtPerMm pixels.
        f.setPointSizeF(std::max(0.1, pt / PtPerMm * pixelsPerMm_ * 72.0 / dpi_));
        f.setBold(bold);
        f.setKerning(false);
        return f;
    }

    QFontMetricsF metrics(const QFont& f) const { return QFontMetricsF(f, painter_.device()); }

    // The height in millimetres of a line of type of `pt` points.
    double lineHeight(double pt) const { return metrics(font(pt)).height() / pixelsPerMm_; }

    // The largest size from `pt` down to `floorPt` whose line fits `heightMm`.
    double sizeForHeight(double pt, double floorPt, double heightMm) const
    {
        for (; pt > floorPt; pt -= 0.25)
            if (lineHeight(pt) <= heightMm) return pt;
        return floorPt;
    }

    // Draws `s` in the box: at `pt` points if it fits, else at the largest size down to `floorPt` that
    // fits, else at `floorPt` cut short with "…". Returns the width it took, in millimetres.
    double fitted(const QString& s, const QRectF& boxMm, double pt, double floorPt, Qt::Alignment align,
                  bool bold = false, const QColor& color = Qt::black)
    {
        if (s.isEmpty() || boxMm.width() <= 0) return 0;
        const QRectF box = rect(boxMm);
        QFont f = font(pt, bold);
        double width = metrics(f).horizontalAdvance(s);
        for (double size = pt - 0.25; width > box.width() && size >= floorPt; size -= 0.25) {
            f = font(size, bold);
            width = metrics(f).horizontalAdvance(s);
        }
        QString shown = s;
        if (width > box.width()) {
            f = font(floorPt, bold);
            shown = elided(s, f, box.width());
            width = metrics(f).horizontalAdvance(shown);
        }
        if (shown.isEmpty()) return 0;
        painter_.setFont(f);
        painter_.setPen(color);
        painter_.drawText(box, static_cast<int>(align | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
        return width / pixelsPerMm_;
    }

    void line(double x1, double y1, double x2, double y2, const QPen& pen)
    {
        painter_.setPen(pen);
        painter_.drawLine(at(x1, y1), at(x2, y2));
    }

    QPen solid(double widthMm, const QColor& color = Qt::black) const
    {
        QPen pen(color, px(widthMm), Qt::SolidLine, Qt::FlatCap);
        return pen;
    }

    QPen dashed(double widthMm, double dashMm, double spaceMm, const QColor& color) const
    {
        QPen pen(color, px(widthMm), Qt::CustomDashLine, Qt::FlatCap);
        pen.setDashPattern({dashMm / widthMm, spaceMm / widthMm});
        return pen;
    }

    QPainter& painter() { return painter_; }

private:
    // `s` cut short with "…" to fit `width` pixels; the characters are counted as the user sees them.
    QString elided(const QString& s, const QFont& f, double width) const
    {
        const QFontMetricsF m = metrics(f);
        if (m.horizontalAdvance(Ellipsis) > width) return QString();
        // QFontMetricsF::elidedText may round the other way from the width the text is drawn at: the
        // text is shortened further until the drawn width fits.
        QString cut = m.elidedText(s, Qt::ElideRight, width);
        while (cut.size() > 1 && m.horizontalAdvance(cut) > width) {
            QString body = cut.endsWith(Ellipsis) ? cut.chopped(1) : cut;
            body.chop(1);
            if (!body.isEmpty() && body.back().isHighSurrogate()) body.chop(1);
            cut = body + Ellipsis;
        }
        return cut;
    }

    QPainter& painter_;
    QPointF topLeft_;
    double pixelsPerMm_;
    int dpi_ = 96;
    QString family_;
};

// One column of a side's list: its box and the tracks it shows.
struct ListColumn {
    QRectF box;
    std::vector<const LabelTrack*> tracks;
};

// The start time on the side, in grey beside the length; the counter there, in brackets.
const QColor StartColor(88, 88, 88);
QString counterText(int counter) { return QStringLiteral("[%1]").arg(counter); }

// The widths of a row's cells, in millimetres: number, counter (none without a calibration), title,
// start and length. The number and the length keep their widths at the full row type and narrow with
// a smaller one; the start and the counter are as wide as their widest text.
struct RowCells {
    double number = NumberWidth;
    double counter = 0;
    double start = 0;
    double length = LengthWidth;
    double gap = CellGap;

    double title(double columnWidth) const
    {
        return columnWidth - number - length - start - gap * 3 - (counter > 0 ? counter + gap : 0);
    }
};

RowCells rowCells(const CardPainter& card, const LabelContent& label, double rowPt)
{
    const double scale = rowPt / RowPt;
    RowCells cells;
    cells.number = NumberWidth * scale;
    cells.length = LengthWidth * scale;
    cells.gap = CellGap * scale;
    const QFontMetricsF metrics = card.metrics(card.font(rowPt));
    // A little room to spare, as the number and the length have.
    const double spare = 0.3 * scale;
    for (const LabelSide* side : {&label.sideA, &label.sideB})
        for (const LabelTrack& track : side->tracks) {
            cells.start = std::max(cells.start, metrics.horizontalAdvance(timeText(track.start)) / card.px(1) + spare);
            if (track.counter)
                cells.counter = std::max(cells.counter,
                                         metrics.horizontalAdvance(counterText(*track.counter)) / card.px(1) + spare);
        }
    return cells;
}

// The type of a column's rows: rowPt, or the size at which its longest title fits, the same for every
// row, so that one long title does not set its row apart from its neighbours. The type
// shrinks to ColumnShrink of rowPt at most; a title longer still is cut short there.
double columnPt(const CardPainter& card, const ListColumn& column, const RowCells& cells, double rowPt)
{
    const double floorPt = std::max(std::min(rowPt, RowTitleFloorPt), rowPt * ColumnShrink);
    const double room = card.px(cells.title(column.box.width()));
    double pt = rowPt;
    for (const LabelTrack* track : column.tracks) {
        const QString title = text(track->title);
        while (pt - 0.25 >= floorPt && card.metrics(card.font(pt)).horizontalAdvance(title) > room) pt -= 0.25;
    }
    return pt;
}

// Paints a column's rows in type of pt points (columnPt).
void paintRows(CardPainter& card, const ListColumn& column, const RowCells& cells, double rowHeight, double pt)
{
    double y = column.box.top();
    for (const LabelTrack* track : column.tracks) {
        const double left = column.box.left();
        const double right = column.box.right();
        const QRectF number(left, y, cells.number, rowHeight);
        const QRectF counter(number.right() + cells.gap, y, cells.counter, rowHeight);
        const double titleLeft = cells.counter > 0 ? counter.right() + cells.gap : number.right() + cells.gap;
        const QRectF title(titleLeft, y, cells.title(column.box.width()), rowHeight);
        const QRectF length(right - cells.length, y, cells.length, rowHeight);
        const QRectF start(length.left() - cells.gap - cells.start, y, cells.start, rowHeight);
        card.fitted(QString::number(track->number), number, pt, RowTitleFloorPt, Qt::AlignRight);
        if (track->counter) card.fitted(counterText(*track->counter), counter, pt, RowTitleFloorPt, Qt::AlignRight);
        card.fitted(text(track->title), title, pt, pt, Qt::AlignLeft);
        card.fitted(timeText(track->start), start, pt, RowTitleFloorPt, Qt::AlignRight, false, StartColor);
        card.fitted(timeText(track->seconds), length, pt, RowTitleFloorPt, Qt::AlignRight);
        y += rowHeight;
    }
}

void paintFront(CardPainter& card, const LabelContent& label)
{
    const QRectF panel = frontPanel();
    const double left = panel.left() + Margin;
    const double width = panel.width() - 2 * Margin;

    // Title and artist.
    double y = panel.top() + 2.6;
    const double titleHeight = card.lineHeight(TitlePt);
    card.fitted(text(label.title), QRectF(left, y, width, titleHeight), TitlePt, TitleFloorPt, Qt::AlignLeft, true);
    y += titleHeight;
    const double artistHeight = card.lineHeight(ArtistPt);
    card.fitted(text(label.artist), QRectF(left, y, width, artistHeight), ArtistPt, ArtistFloorPt, Qt::AlignLeft);
    y += artistHeight + 0.8;
    card.line(left, y, left + width, y, card.solid(RuleWidth));
    y += 0.8;

    // The two sides' lists. A side of up to FrontColumnRows tracks takes one column; a longer side flows
    // into as many columns as it needs, in a smaller type.
    const double bottom = panel.bottom() - 2.2;
    const double headingHeight = card.lineHeight(HeadingPt) + 0.4;
    const double rowsTop = y + headingHeight + 0.4;
    const double rowsHeight = bottom - rowsTop;
    const int countA = static_cast<int>(label.sideA.tracks.size());
    const int countB = static_cast<int>(label.sideB.tracks.size());
    const int longest = std::max({countA, countB, 1});

    int rowsPerColumn = longest;
    double rowPt = RowPt;
    double rowHeight = 0;
    if (longest <= FrontColumnRows) {
        // A short list keeps a readable size rather than spreading over the whole panel.
        rowHeight = std::min(card.lineHeight(RowPt) * ShortListSpacing, rowsHeight / longest);
    } else {
        rowHeight = card.lineHeight(RowFloorPt) * RowLineSpacing;
        rowsPerColumn = std::max(1, static_cast<int>(std::floor(rowsHeight / rowHeight)));
    }
    rowPt = card.sizeForHeight(RowPt, RowFloorPt, std::min(rowHeight / RowLineSpacing, card.lineHeight(RowPt)));
    const int columnsA = std::max(1, (countA + rowsPerColumn - 1) / rowsPerColumn);
    const int columnsB = std::max(1, (countB + rowsPerColumn - 1) / rowsPerColumn);
    const int columns = columnsA + columnsB;
    const double columnWidth = (width - (columns - 1) * ColumnGap) / columns;
    const RowCells cells = rowCells(card, label, rowPt);
    // One type size for both sides' lists: the size at which the longest title of either side fits
    // (every column is as wide as the others).
    ListColumn everyTrack;
    everyTrack.box = QRectF(0, 0, columnWidth, rowsHeight);
    for (const LabelSide* side : {&label.sideA, &label.sideB})
        for (const LabelTrack& track : side->tracks) everyTrack.tracks.push_back(&track);
    const double listPt = columnPt(card, everyTrack, cells, rowPt);

    auto paintSide = [&](const char* heading, const LabelSide& side, int firstColumn, int sideColumns) {
        const double x = left + firstColumn * (columnWidth + ColumnGap);
        const double sideWidth = sideColumns * columnWidth + (sideColumns - 1) * ColumnGap;
        const QRectF head(x, y, sideWidth, headingHeight);
        const double totalWidth =
            card.fitted(timeText(side.playing), head, HeadingPt, RowFloorPt, Qt::AlignRight, true);
        card.fitted(translated("CassetteLabel", heading), QRectF(x, y, sideWidth - totalWidth - CellGap, headingHeight),
                    HeadingPt, RowFloorPt, Qt::AlignLeft, true);
        const double ruleY = y + headingHeight + 0.2;
        card.line(x, ruleY, x + sideWidth, ruleY, card.solid(RuleWidth));
        // The side's tracks spread evenly over its columns.
        const int count = static_cast<int>(side.tracks.size());
        const int perColumn = (count + sideColumns - 1) / sideColumns;
        for (int c = 0; c < sideColumns; ++c) {
            ListColumn column;
            column.box = QRectF(x + c * (columnWidth + ColumnGap), rowsTop, columnWidth, rowsHeight);
            const int first = c * perColumn;
            const int last = std::min(count, first + perColumn);
            for (int i = first; i < last; ++i) column.tracks.push_back(&side.tracks[static_cast<std::size_t>(i)]);
            paintRows(card, column, cells, rowHeight, listPt);
        }
    };
    paintSide(QT_TRANSLATE_NOOP("CassetteLabel", "A面"), label.sideA, 0, columnsA);
    paintSide(QT_TRANSLATE_NOOP("CassetteLabel", "B面"), label.sideB, columnsA, columnsB);
    // A thin rule between the sides.
    const double divider = left + columnsA * (columnWidth + ColumnGap) - ColumnGap / 2;
    card.line(divider, y, divider, bottom, card.solid(RuleWidth, Qt::gray));
}

void paintSpine(CardPainter& card, const LabelContent& label)
{
    const QRectF panel = spinePanel();
    const QRectF inner = panel.adjusted(Margin, 1.0, -Margin, -1.0);
    double tapeWidth =
        card.fitted(text(tapeCaption(label.tapeMinutes)), inner, SpineTapePt, SpineFloorPt, Qt::AlignRight);
    // A tape of a set says which it is ("2/3") before the tape's length, in the title's type.
    if (const std::string place = setPlaceText(label); !place.empty())
        tapeWidth +=
            2.0 + card.fitted(text(place),
                              QRectF(inner.left(), inner.top(), inner.width() - tapeWidth - 2.0, inner.height()),
                              SpinePt, SpineFloorPt, Qt::AlignRight, true);
    QString line = text(label.title);
    if (!label.artist.empty()) line += (line.isEmpty() ? QString() : QStringLiteral(" — ")) + text(label.artist);
    card.fitted(line, QRectF(inner.left(), inner.top(), inner.width() - tapeWidth - 3.0, inner.height()), SpinePt,
                SpineFloorPt, Qt::AlignLeft, true);
}

void paintFlap(CardPainter& card, const LabelContent& label)
{
    const QRectF panel = flapPanel();
    const QRectF inner = panel.adjusted(Margin, 1.2, -Margin, -1.2);
    const double lineHeight = inner.height() / 3;
    const double pt = card.sizeForHeight(FlapPt, FlapFloorPt, lineHeight);
    double y = inner.top();
    card.fitted(text(tapeCaption(label.tapeMinutes)), QRectF(inner.left(), y, inner.width(), lineHeight), pt,
                FlapFloorPt, Qt::AlignLeft, true);
    y += lineHeight;
    const QString totals = translated(ja("CassetteLabel", "A面 %1　B面 %2"))
                               .arg(timeText(label.sideA.playing), timeText(label.sideB.playing));
    card.fitted(totals, QRectF(inner.left(), y, inner.width(), lineHeight), pt, FlapFloorPt, Qt::AlignLeft);
    y += lineHeight;
    card.fitted(text(label.note), QRectF(inner.left(), y, inner.width(), lineHeight), pt, FlapFloorPt, Qt::AlignLeft);
}

}  // namespace

QRectF frontPanel() { return QRectF(0, 0, JCard::Width, JCard::Front); }
QRectF spinePanel() { return QRectF(0, JCard::Front, JCard::Width, JCard::Spine); }
QRectF flapPanel() { return QRectF(0, JCard::Front + JCard::Spine, JCard::Width, JCard::Flap); }

void paintJCard(QPainter& painter, const LabelContent& label, QPointF topLeft, double pixelsPerMm)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    CardPainter card(painter, topLeft, pixelsPerMm);

    painter.fillRect(card.rect(QRectF(0, 0, JCard::Width, JCard::Height)), Qt::white);
    paintFront(card, label);
    paintSpine(card, label);
    paintFlap(card, label);

    // Fold lines between the panels, then the cut line around the card, over everything.
    const QPen fold = card.dashed(FoldLineWidth, 2.0, 1.0, QColor(96, 96, 96));
    card.line(0, spinePanel().top(), JCard::Width, spinePanel().top(), fold);
    card.line(0, flapPanel().top(), JCard::Width, flapPanel().top(), fold);
    painter.setPen(card.solid(CutLineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(card.rect(QRectF(0, 0, JCard::Width, JCard::Height)));
    painter.restore();
}

void paintJCardPage(QPainter& painter, const LabelContent& label, const QRectF& paper)
{
    const QPaintDevice* device = painter.device();
    const double dpi = device && device->logicalDpiX() > 0 ? device->logicalDpiX() : 96;
    const double pixelsPerMm = dpi / JCard::Inch;
    const QPointF topLeft = paper.center() - QPointF(JCard::Width * pixelsPerMm / 2, JCard::Height * pixelsPerMm / 2);
    paintJCard(painter, label, topLeft, pixelsPerMm);

    // How to make it up, under the card.
    painter.save();
    CardPainter card(painter, topLeft, pixelsPerMm);
    card.fitted(translated(ja("CassetteLabel", "実線で切り取り、点線で山折りにします。倍率 100% で印刷してください。")),
                QRectF(-20, JCard::Height + 4, JCard::Width + 40, 6), InstructionPt, 5.0, Qt::AlignHCenter);
    painter.restore();
}

}  // namespace vantoli
