#pragma once

#include <QStringList>

class QWidget;

namespace vb::ui {

// While |box| (a text box or an editable drop-down) holds one of |placeholders|, texts
// that stand for "nothing typed yet", it selects that text whenever it gets the focus, by
// Tab or by a click, so that the first keystroke replaces it. Any other text is left as
// it is, with the cursor where the user puts it.
void selectPlaceholderOnFocus(QWidget* box, const QStringList& placeholders);

} // namespace vb::ui
