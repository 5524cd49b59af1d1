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
    // The About window's title and version line ask for two narrow Western faces; Nimbus Sans Narrow
    // has the widths of Arial Narrow, and its bold stands in for Impact's heavy, narrow capitals.
    const QStringList narrow{QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans Condensed")};
    QFont::insertSubstitutions(QStringLiteral("Impact"), narrow);
    QFont::insertSubstitutions(QStringLiteral("Arial Narrow"), narrow);
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
