#include "ui/main_form.h"

namespace vantoli {

MainForm::MainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("MainForm");
    setWindowTitle("Vantoli");
}

}  // namespace vantoli
