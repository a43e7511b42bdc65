#pragma once

#include <QString>

namespace vexa {

class MainWindow;

// Takes the pictures of the README from the real window as a newcomer sees it (default mode):
// chooses "Simulator", runs "Read All", saves a picture of each tab (the whole General page;
// the Test tab in expert mode), runs "Verify All" and saves the verification report, the marks
// of a step edited since the read, and last the "Layout" window after a scan and a backup of the
// simulated layout, with the backup's address map. Pictures are PNG files in `folder`. Returns false (and says why on
// standard error) when one could not be saved.
bool RunScreenshotTour(MainWindow& window, const QString& folder);

} // namespace vexa
