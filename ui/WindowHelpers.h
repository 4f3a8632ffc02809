#pragma once

#include "core/Error.h"
#include "core/MessageService.h"

#include <QString>

class QLabel;
class QProgressBar;

namespace vb {

// Loads the picture file |path| into the logo control, shrunk to fit the control's box
// when larger; throws vb::Error when the file is not a readable picture.
void loadLogo(QLabel* image, const QString& path);

// Runs |work|; a vb::Error it raises is shown with its description (OK, no title).
// Returns whether the work completed.
template <class F> bool runShowingErrors(F&& work)
{
    try {
        work();
        return true;
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return false;
    }
}

// The visual pause before a report: the bar runs from 0 to 12250 through every value,
// then hides. It reads and writes no data and keeps the window responsive.
void RunProgressBar(QProgressBar* bar);

} // namespace vb
