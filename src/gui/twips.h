#pragma once
// Window layouts are written in twips (1/1440 inch); at 96 dots per inch 15 twips make one pixel.

#include <QRect>
#include <QSize>

namespace vantoli {

constexpr int twips(int value) { return value / 15; }

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

constexpr QSize twipsSize(int width, int height) { return QSize(twips(width), twips(height)); }

}  // namespace vantoli
