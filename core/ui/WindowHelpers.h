#pragma once

#include <QString>

class QLabel;
class QProgressBar;

namespace vb {

// Loads the picture file |path| into the logo control; throws vb::Error when the file
// is not a readable picture.
void loadLogo(QLabel* image, const QString& path);

// The visual pause before a report: the bar runs from 0 to 12250 through every value,
// then hides. It reads and writes no data and keeps the window responsive.
void RunProgressBar(QProgressBar* bar);

} // namespace vb
