#include "gui/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QStringList>

#include <algorithm>

namespace vantoli {

namespace {
const QString WindowFamily = QStringLiteral("MS UI Gothic");
const QString ReportFamily = QStringLiteral("ＭＳ ゴシック");
// The family itself when it is installed, else the first of its registered substitutes that is;
// empty when neither is.
// Qt would reach the substitute by itself too, but only after asking fontconfig for the fallbacks
// of the missing family, once for every script and style it meets; on a machine without the
// Windows fonts that search costs more start-up time than building the whole main window. The
// installed families are compared by name (QFontDatabase::hasFamily would ask fontconfig for
// aliases, which is just as slow).
QString installedFamily(const QString& family)
{
    const QStringList installed = QFontDatabase::families();
    // The installed family's own spelling: Qt keeps substitutes in lower case.
    auto installedName = [&installed](const QString& name) {
        for (const QString& family : installed)
            if (family.compare(name, Qt::CaseInsensitive) == 0) return family;
        return QString();
    };
    if (const QString name = installedName(family); !name.isEmpty()) return name;
    for (const QString& substitute : QFont::substitutes(family))
        if (const QString name = installedName(substitute); !name.isEmpty()) return name;
    return QString();
}

// The family to ask for: the installed one, else the name itself.
QString familyToAsk(const QString& family)
{
    const QString installed = installedFamily(family);
    return installed.isEmpty() ? family : installed;
}

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

void drawGenericFamilyWithWindowFace()
{
    const QString system = QGuiApplication::font().family();
    if (system.compare(QLatin1String("Sans Serif"), Qt::CaseInsensitive) != 0 &&
        system.compare(QLatin1String("sans-serif"), Qt::CaseInsensitive) != 0)
        return;
    const QString face = installedFamily(WindowFamily);
    if (face.isEmpty()) return;
    QFont::insertSubstitution(system, face);
    // The menus and dialogs then ask for the face by its own name too: Qt looks up the fallbacks of
    // each family it is asked for, for every script it meets, and one family is half the lookups.
    QFont font = QGuiApplication::font();
    font.setFamilies({face});
    QGuiApplication::setFont(font);
}

QFont windowFont()
{
    QFont font(familyToAsk(WindowFamily));
    font.setPointSizeF(9);
    font.setWeight(QFont::Normal);
    return font;
}

QFont reportFont()
{
    QFont font(familyToAsk(ReportFamily));
    font.setPointSizeF(9);
    font.setWeight(QFont::Normal);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}

void condenseToFit(QLabel* label)
{
    QFont font = label->font();
    // The indent keeps clear the edge the text is aligned to.
    const int room = label->contentsRect().width() - std::max(0, label->indent());
    for (int stretch = QFont::Unstretched; stretch >= 85; stretch -= 5) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= room) break;
    }
    label->setFont(font);
}

}  // namespace vantoli
