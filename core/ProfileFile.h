#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// The private-profile (INI) file functions the settings reader is built on: plain
// "[section]" and "key=value" lines, section and key names matched ignoring case, text
// handled as single bytes.
namespace vb::profile {

// Copies the value of |key| in |section| (or |defaultValue| when the key or the file is
// missing) into |buffer| of |size| bytes, cut to size - 1 bytes and NUL-terminated.
// Returns the number of bytes copied, without the NUL.
int getString(const QByteArray& section, const QByteArray& key, const QByteArray& defaultValue,
              char* buffer, int size, const QString& fileName);

// The value of |key| in |section|, as it stands in the file (blanks around it removed);
// nothing when the key, the section or the file is missing or cannot be read.
std::optional<QByteArray> findString(const QByteArray& section, const QByteArray& key, const QString& fileName);

// Sets |key| = |value| in |section|, adding the key and the section when missing and
// keeping every other line (and a leading byte-order mark) as it was. The file is replaced
// atomically and stays private (0600). Returns false when the file or its folder is
// read-only, the file cannot be read, or the write fails.
bool writeString(const QByteArray& section, const QByteArray& key, const QByteArray& value,
                 const QString& fileName);

// The same for several keys at once, in one atomic save.
bool writeStrings(const QByteArray& section, const QList<std::pair<QByteArray, QByteArray>>& values,
                  const QString& fileName);

} // namespace vb::profile
