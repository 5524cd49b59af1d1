#include "gui/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace vantoli {

OkCancelButtons okCancelButtons(QDialog* dialog, Ja cancelText)
{
    OkCancelButtons buttons;
    buttons.box = new QDialogButtonBox(dialog);
    buttons.ok = buttons.box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons.ok->setObjectName(QStringLiteral("cmdOK"));
    buttons.cancel = buttons.box->addButton(QString(), QDialogButtonBox::RejectRole);
    showText(buttons.cancel, cancelText);
    buttons.cancel->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(buttons.box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons.box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace vantoli
