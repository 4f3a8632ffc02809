#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Files that hold the archive's key or members' personal data: readable and writable by
// their owner only (0600), whatever the umask, from the moment they exist.
namespace vb::files {

// Creates |path| as a new empty private file. False, with the cause in |error|, when it
// exists already or cannot be made.
bool createPrivate(const QString& path, QString* error = nullptr);

// Replaces |path| by |content| in one step: the content goes to a new private file beside
// it, is flushed to the disk and then takes the name, so that a reader (or a crash) sees
// the old file or the new one, never a part. False, with the cause in |error|, when a
// step fails; the old file is then left as it was.
bool saveAtomically(const QString& path, const QByteArray& content, QString* error = nullptr);

// The same for a content that |write| writes to the device it is given (a report, a
// workbook): the new file takes the name only when |write| returns, so a write that fails,
// throws or is stopped leaves the old file as it was and no part of a new one. Whatever
// |write| throws goes on to the caller.
bool saveAtomically(const QString& path, const std::function<void(QIODevice&)>& write, QString* error = nullptr);

// Flushes the entries of |folder| (a rename or a new file in it) to the disk.
void syncFolder(const QString& folder);

// The cause of a failed file operation, in Italian, for the system error |errnum|.
QString describeSystemError(int errnum);

} // namespace vb::files
