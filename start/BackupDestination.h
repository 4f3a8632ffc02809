#pragma once

#include <QString>

// Where the backup copy goes: a drive named by its letter where the system has drive
// letters, else the folder where the removable drive is mounted. Each gets its own
// wording in the backup's input box and messages.
namespace vb::backup {

// Whether this system names its drives by letter.
bool systemHasDriveLetters();

// The question of the backup's input box.
QString destinationPrompt(bool driveLetters);

struct Destination {
    QString root;  // the drive's root folder, where the backup folder goes
    QString shown; // how the messages name it: the letter in capitals, or the folder
    bool exists = false;
};

// The destination of the user's |answer| (trimmed, not empty). Without drive letters
// the answer is a folder: "~" stands for the home folder and a relative path is refused.
Destination destinationOf(const QString& answer, bool driveLetters);

// The message for a destination that does not exist.
QString missingDestinationMessage(const Destination& destination, bool driveLetters);

// The message of a completed copy written into |folder|.
QString successMessage(const QString& folder, bool driveLetters);

} // namespace vb::backup
