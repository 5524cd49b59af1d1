#pragma once
// A level meter for one channel: the RMS level as a bar, the peak as a thin line, the held peak as a
// mark, on a dBFS scale from -60 to 0 with marks at 0, -6, -12 and -20.

#include <QWidget>

#include "core/dubbing_cues.h"

namespace vantoli {

class LevelMeter : public QWidget {
    Q_OBJECT
public:
    explicit LevelMeter(const QString& channel, QWidget* parent = nullptr);

    // Shows the level of the samples just handed to the output; `ms` is when, for the peak hold.
    void setLevel(const ChannelLevel& level, std::int64_t ms);
    void clear();

    const ChannelLevel& level() const { return level_; }
    double heldPeakDb() const { return held_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void describe();

    QString channel_;
    ChannelLevel level_;
    PeakHold hold_;
    double held_ = MinLevelDb;
};

}  // namespace vantoli
