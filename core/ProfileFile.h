#pragma once

#include <QByteArray>
#include <QString>

// The private-profile (INI) file functions the settings reader is built on: plain
// "[section]" and "key=value" lines, section and key names matched ignoring case, text
// handled as single bytes.
namespace vb::profile {

// Copies the value of |key| in |section| (or |defaultValue| when the key or the file is
// missing) into |buffer| of |size| bytes, cut to size - 1 bytes and NUL-terminated.
// Returns the number of bytes copied, without the NUL.
int getString(const QByteArray& section, const QByteArray& key, const QByteArray& defaultValue,
              char* buffer, int size, const QString& fileName);

// Sets |key| = |value| in |section|, adding the key and the section when missing and
// keeping every other line as it was. The file is replaced atomically. Returns false when
// the file or its folder is read-only or the write fails.
bool writeString(const QByteArray& section, const QByteArray& key, const QByteArray& value,
                 const QString& fileName);

} // namespace vb::profile
