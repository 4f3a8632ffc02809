#include "core/ui/FormMenu.h"

namespace vb {

FormMenu::FormMenu(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("MENU' IMPOSTAZIONI"));
}

} // namespace vb
