#include "gui/version.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

#include "core/version_text.h"
#include "gui/translation.h"
#include "icons/about.xpm"

namespace vantoli {

namespace {

constexpr QSize ClientSize{5145, 2160};
constexpr QPoint ScreenPlace{2340, 1935};

// clang-format off
//                                  Name          Left  Top   Width Height Caption
constexpr ControlRow picIconRow    {"picIcon",     240,  240,  480,  480, ""};
constexpr ControlRow lblTitleRow   {"lblTitle",   1200,  240, 1725,  480, "Vantoli"};
constexpr ControlRow lblVersionRow {"lblVersion", 1200,  780, 2085,  225, ""};
constexpr ControlRow Copyright1Row {"Copyright1",  360, 1200, 4455,  255, "Copyright (C) 2026 Vantoli developers"};
constexpr ControlRow Label1Row     {"Label1",      360, 1560, 4575,  255, "All rights reserved."};
constexpr ControlRow cmdOKRow      {"cmdOK",      3480,  240, 1305,  345, "OK"};
// clang-format on

QFont titleFont()
{
    QFont font(QStringLiteral("Impact"));
    font.setPointSizeF(15.75);
    font.setWeight(QFont::Bold);
    return font;
}

QFont versionFont()
{
    QFont font(QStringLiteral("Arial Narrow"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

Version::Version() : SecondaryWindow(QStringLiteral("Version"), ja("Version", "バージョン情報"), ClientSize)
{
    placeClientAt(ScreenPlace);

    auto* picIcon = addControl<QLabel>(this, picIconRow);
    picIcon->setPixmap(QPixmap(about_xpm));

    auto* lblTitle = addControl<QLabel>(this, lblTitleRow);
    lblTitle->setFont(titleFont());
    QPalette black = lblTitle->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblTitle->setPalette(black);

    lblVersion = addControl<QLabel>(this, lblVersionRow);
    lblVersion->setFont(versionFont());

    for (QLabel* label :
         {lblTitle, lblVersion, addControl<QLabel>(this, Copyright1Row), addControl<QLabel>(this, Label1Row)})
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* cmdOK = addControl<QPushButton>(this, cmdOKRow);
    setDefaultButton(cmdOK);
    setCancelButton(cmdOK);
    connect(cmdOK, &QPushButton::clicked, this, &Version::cmdOK_Click);
    cmdOK->setFocus();

    Form_Load();
}

void Version::Form_Load()
{
    lblVersion->setText(
        QString::fromStdString(versionText(VANTOLI_VERSION_MAJOR, VANTOLI_VERSION_MINOR, VANTOLI_VERSION_PATCH)));
}

void Version::cmdOK_Click() { close(); }

Version* showVersion(SingleWindow<Version>& version)
{
    Version* window = version.load();
    bringToFront(window);
    return window;
}

}  // namespace vantoli
