#pragma once

#include <QLabel>

namespace vb {

// A label that reports a click of the left mouse button.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace vb
