#include "gui/level_meter.h"

#include <QEvent>
#include <QPainter>

#include <cmath>

namespace vantoli {

namespace {

constexpr int ScaleMarks[] = {0, -6, -12, -20, -40};

// Where a level falls on a bar `width` pixels wide.
int position(double db, int width) { return int(std::lround((db - MinLevelDb) / -MinLevelDb * width)); }

}  // namespace

LevelMeter::LevelMeter(const QString& channel, QWidget* parent) : QWidget(parent), channel_(channel)
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    describe();
}

void LevelMeter::setLevel(const ChannelLevel& level, std::int64_t ms)
{
    level_ = level;
    held_ = hold_.update(level.peakDb, ms);
    describe();
    update();
}

void LevelMeter::clear()
{
    level_ = {};
    hold_.reset();
    held_ = MinLevelDb;
    describe();
    update();
}

// What a screen reader says: the channel and its levels in whole decibels.
void LevelMeter::describe()
{
    const auto db = [](double value) {
        return value <= MinLevelDb ? tr("無音") : QStringLiteral("%1 dBFS").arg(std::lround(value));
    };
    setAccessibleName(channel_);
    setAccessibleDescription(tr("%1 のレベル メーター: ピーク %2、平均 %3、ピークホールド %4")
                                 .arg(channel_, db(level_.peakDb), db(level_.rmsDb), db(held_)));
}

void LevelMeter::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) describe();
    QWidget::changeEvent(event);
}

QSize LevelMeter::sizeHint() const { return {360, fontMetrics().height() + 18}; }
QSize LevelMeter::minimumSizeHint() const { return {160, fontMetrics().height() + 18}; }

void LevelMeter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int labelWidth = fontMetrics().horizontalAdvance(QStringLiteral("MM "));
    const QRect bar(labelWidth, 2, width() - labelWidth - 4, 12);
    p.drawText(QRect(0, 0, labelWidth, bar.bottom() + 2), Qt::AlignLeft | Qt::AlignVCenter, channel_);
    p.fillRect(bar, QColor(30, 30, 30));

    // The RMS bar, green up to -12, yellow to -6, red above.
    const int rms = position(level_.rmsDb, bar.width());
    const struct {
        double from, to;
        QColor color;
    } zones[] = {{MinLevelDb, -12, QColor(60, 190, 80)}, {-12, -6, QColor(230, 200, 40)}, {-6, 0, QColor(220, 60, 50)}};
    for (const auto& zone : zones) {
        const int from = position(zone.from, bar.width());
        const int to = std::min(rms, position(zone.to, bar.width()));
        if (to > from) p.fillRect(QRect(bar.left() + from, bar.top() + 3, to - from, bar.height() - 6), zone.color);
    }
    // The peak as a thin line, the held peak as a white mark.
    p.fillRect(QRect(bar.left(), bar.bottom() - 1, position(level_.peakDb, bar.width()), 2), QColor(160, 220, 170));
    if (held_ > MinLevelDb)
        p.fillRect(QRect(bar.left() + position(held_, bar.width()) - 1, bar.top(), 2, bar.height()), Qt::white);

    p.setPen(palette().color(QPalette::WindowText));
    for (const int mark : ScaleMarks) {
        const int x = bar.left() + position(mark, bar.width());
        p.drawLine(x, bar.bottom() + 1, x, bar.bottom() + 4);
        const QString text = QString::number(mark);
        const int w = fontMetrics().horizontalAdvance(text);
        p.drawText(QRect(std::min(x - w / 2, width() - w), bar.bottom() + 4, w, fontMetrics().height()),
                   Qt::AlignCenter, text);
    }
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace vantoli
