#include "ui/fonts.h"

#include <QStringList>

namespace vantoli {

namespace {
const QString WindowFamily = QStringLiteral("MS UI Gothic");
const QString ReportFamily = QStringLiteral("ＭＳ ゴシック");
}  // namespace

void registerFontSubstitutions()
{
    QFont::insertSubstitutions(WindowFamily, QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(ReportFamily, QStringList{QStringLiteral("IPAGothic")});
}

QFont windowFont()
{
    QFont font(WindowFamily);
    font.setPointSizeF(9);
    font.setWeight(QFont::Normal);
    return font;
}

QFont reportFont()
{
    QFont font(ReportFamily);
    font.setPointSizeF(9);
    font.setWeight(QFont::Normal);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}

}  // namespace vantoli
