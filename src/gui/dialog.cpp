#include "gui/dialog.h"
#include "gui/translation.h"

#include <QAction>
#include <QCheckBox>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>

#include "icons/dialog.xpm"

namespace vantoli {

namespace {

constexpr QSize ClientSize{4410, 2025};
constexpr QPoint ScreenPlace{2760, 3750};

// clang-format off
//                               Name       Left  Top   Width Height Caption
constexpr ControlRow OptChk1Row{"OptChk1",  360,  360, 3135, 375, QT_TRANSLATE_NOOP("Dialog", " オリジナルの曲順にこだわる")};
constexpr ControlRow OptChk2Row{"OptChk2",  360,  840, 3135, 375, QT_TRANSLATE_NOOP("Dialog", " 曲の間 5秒のにブランクを入れる")};
constexpr ControlRow OptAllRow {"OptAll",   720, 1440, 1095, 375, QT_TRANSLATE_NOOP("Dialog", "全て")};
constexpr ControlRow OptClrRow {"OptClr",  1920, 1440, 1095, 375, QT_TRANSLATE_NOOP("Dialog", "クリア")};
constexpr ControlRow OptOKRow  {"OptOK",   3120, 1440, 1095, 375, "OK"};
// clang-format on

}  // namespace

Dialog::Dialog(QAction* keepOrder, QAction* fiveSecondGap)
    : SecondaryWindow(QStringLiteral("Dialog"), ja("Dialog", "設定"), ClientSize),
      keepOrder_(keepOrder),
      fiveSecondGap_(fiveSecondGap)
{
    setWindowIcon(QIcon(QPixmap(dialog_xpm)));
    placeClientAt(ScreenPlace);

    OptChk1 = addControl<QCheckBox>(this, OptChk1Row);
    OptChk2 = addControl<QCheckBox>(this, OptChk2Row);
    auto* OptAll = addControl<QPushButton>(this, OptAllRow);
    auto* OptClr = addControl<QPushButton>(this, OptClrRow);
    auto* OptOK = addControl<QPushButton>(this, OptOKRow);
    connect(OptAll, &QPushButton::clicked, this, &Dialog::OptAll_Click);
    connect(OptClr, &QPushButton::clicked, this, &Dialog::OptClr_Click);
    connect(OptOK, &QPushButton::clicked, this, &Dialog::OptOK_Click);

    setTabOrder(OptOK, OptChk1);
    setTabOrder(OptChk1, OptChk2);
    setTabOrder(OptChk2, OptClr);
    setTabOrder(OptClr, OptAll);
    OptOK->setFocus();

    Form_Load();
}

void Dialog::Form_Load()
{
    OptChk1->setChecked(keepOrder_ && keepOrder_->isChecked());
    OptChk2->setChecked(fiveSecondGap_ && fiveSecondGap_->isChecked());
}

void Dialog::OptAll_Click()
{
    OptChk1->setChecked(true);
    OptChk2->setChecked(true);
}

void Dialog::OptClr_Click()
{
    OptChk1->setChecked(false);
    OptChk2->setChecked(false);
}

void Dialog::OptOK_Click()
{
    if (keepOrder_) keepOrder_->setChecked(OptChk1->isChecked());
    if (fiveSecondGap_) fiveSecondGap_->setChecked(OptChk2->isChecked());
    close();
}

Dialog* showDialog(SingleWindow<Dialog>& dialog, QAction* keepOrder, QAction* fiveSecondGap)
{
    Dialog* window = dialog.load(keepOrder, fiveSecondGap);
    bringToFront(window);
    return window;
}

}  // namespace vantoli
