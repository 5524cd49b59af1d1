#pragma once
// Painting the cassette label: the three-panel J-card that folds into the tape's case, at true size.
// The same painting serves the preview in the label window, the PDF file and the printer.
//
// The card unfolded, printed side up, 4 in wide and 3.625 in tall:
//
//     +--------------------------------------+  <- cut line
//     | title                                |
//     | artist                               |
//     | A面  total      | B面  total         |  front panel, 2.5 in
//     |  1 title   4:31 |  4 title   4:05    |
//     |  ...            |  ...               |
//     +- - - - - - - - - - - - - - - - - - - +  <- fold line
//     | title — artist           46分テープ  |  spine, 0.5 in
//     +- - - - - - - - - - - - - - - - - - - +  <- fold line
//     | 46分テープ                           |
//     | A面 13:43   B面 13:45                |  back flap, 0.625 in
//     | note                                 |
//     +--------------------------------------+
//
// Folded along the two dashed lines away from the printed side, the front panel shows through the
// front of the case, the spine along its edge and the back flap behind the tape. All text reads the
// same way up on the flat card.

#include <QRectF>

#include "core/label_content.h"

class QPainter;

namespace vantoli {

// The card's measures in millimetres.
struct JCard {
    static constexpr double Inch = 25.4;
    static constexpr double Width = 4.0 * Inch;             // 101.6
    static constexpr double Front = 2.5 * Inch;             // 63.5
    static constexpr double Spine = 0.5 * Inch;             // 12.7
    static constexpr double Flap = 0.625 * Inch;            // 15.875
    static constexpr double Height = Front + Spine + Flap;  // 92.075 (3.625 in)
};

// Where each panel lies on the card, in millimetres from the card's top-left corner.
QRectF frontPanel();
QRectF spinePanel();
QRectF flapPanel();

// The most tracks a side may have for the front panel to list it in one column; a longer side (a long
// disc) flows into further columns, in a smaller type.
inline constexpr int FrontColumnRows = 20;

// Paints the card with its top-left corner at `topLeft` (in the painter's device pixels), at
// `pixelsPerMm` device pixels to the millimetre: at the device's own resolution for true size, or
// any other scale for a preview. Text is fitted to its panel: a long text gets a smaller type down to
// a floor, then is cut short with "…". The rows of a column of a track list share one type: a long
// title makes the whole column smaller.
void paintJCard(QPainter& painter, const LabelContent& label, QPointF topLeft, double pixelsPerMm);

// Paints the card at true size in the middle of the paper, whose rectangle is given in the painter's
// device pixels, with a line under the card that says how to cut and fold it.
void paintJCardPage(QPainter& painter, const LabelContent& label, const QRectF& paper);

}  // namespace vantoli
