#pragma once

#include "core/ui/Form.h"

namespace vb {

// The settings menu.
class FormMenu : public Form {
    Q_OBJECT
public:
    explicit FormMenu(QWidget* parent = nullptr);
};

} // namespace vb
