#pragma once
// Windows laid out from tables in twips, one row per control, as the program's window tables are
// written: name, Left, Top, Width, Height, caption, and for labels their style. A control array is one
// row with an index range and the step from one element to the next.

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>
#include <type_traits>

#include "gui/translation.h"
#include "gui/twips.h"

namespace vantoli {

// How a label shows its caption. Text boxes, buttons and check boxes are Plain.
enum class Style {
    Plain,            // the control's own look; a label's text at the left
    Centred,          // label, text centred
    BorderedCentred,  // label with a single-line frame, text centred
    BorderedRight,    // label with a single-line frame, text at the right
};

// A control array's index range.
struct Indexes {
    int first = 0;
    int last = 0;
};

// From one element of a control array to the next, in twips.
struct Step {
    int left = 0;
    int top = 0;
};

// Captions and tool tips are Japanese, marked QT_TRANSLATE_NOOP("Window", ...) for lupdate, where
// Window is the objectName of the window the table lays out: they are shown in the user's language.

// The caption of an array element that shows its own number, index + 1.
inline constexpr const char* IndexPlusOne = nullptr;

struct ControlRow {
    const char* name;
    int left, top, width, height;  // twips; for an array those of its first element
    const char* caption = "";
    Style style = Style::Plain;
    const char* toolTip = "";
    Indexes index{};  // arrays only
    Step step{};      // arrays only
};

namespace layout {

// Gives a label its frame and alignment.
inline void applyStyle(QLabel* label, Style style)
{
    label->setTextFormat(Qt::PlainText);
    if (style == Style::BorderedCentred || style == Style::BorderedRight) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        // Text right inside the frame: a cell is 15 pixels wide inside, just room for "20". A time or
        // a tape keeps two pixels clear of the frame's right edge (flush, "+0 : 10" touched it).
        label->setIndent(style == Style::BorderedRight ? 2 : 0);
    }
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (style == Style::Centred || style == Style::BorderedCentred) horizontal = Qt::AlignHCenter;
    if (style == Style::BorderedRight) horizontal = Qt::AlignRight;
    label->setAlignment(horizontal | Qt::AlignVCenter);
}

template <typename Control>
Control* create(QWidget* parent, const ControlRow& row, const QString& name, const QString& caption, int n)
{
    auto* control = new Control(parent);
    control->setObjectName(name);
    control->setGeometry(twipsRect(row.left + n * row.step.left, row.top + n * row.step.top, row.width, row.height));
    const QByteArray context = parent->window()->objectName().toLatin1();
    if (row.caption && *row.caption)
        showText(control, context.constData(), row.caption);
    else
        control->setText(caption);
    if (*row.toolTip) showToolTip(control, context.constData(), row.toolTip);
    if constexpr (std::is_base_of_v<QLabel, Control>) applyStyle(control, row.style);
    // A push button that has the focus is pressed by Enter (either key) as well as by Space; Enter
    // elsewhere in a window without a default button does nothing.
    if constexpr (std::is_base_of_v<QPushButton, Control>) control->setAutoDefault(true);
    return control;
}

}  // namespace layout

// Creates the control of a table row in parent.
template <typename Control>
Control* addControl(QWidget* parent, const ControlRow& row)
{
    return layout::create<Control>(parent, row, QString::fromLatin1(row.name), QString::fromUtf8(row.caption), 0);
}

// Creates the elements row.index.first .. row.index.last of a control array in parent and keeps each in
// controls at its index. Element i is named "name_i".
template <typename Control, std::size_t Count>
void addControlArray(QWidget* parent, const ControlRow& row, std::array<Control*, Count>& controls)
{
    for (int i = row.index.first; i <= row.index.last; ++i) {
        const QString name = QStringLiteral("%1_%2").arg(QLatin1String(row.name)).arg(i);
        const QString caption = row.caption == IndexPlusOne ? QString::number(i + 1) : QString::fromUtf8(row.caption);
        controls[static_cast<std::size_t>(i)] =
            layout::create<Control>(parent, row, name, caption, i - row.index.first);
    }
}

}  // namespace vantoli
