#include "core/ProfileFile.h"

#include "core/PrivateFile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>
#include <cstring>
#include <optional>

namespace vb::profile {
namespace {

QByteArray stripEol(QByteArray line)
{
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

std::optional<QByteArray> sectionName(const QByteArray& line)
{
    const QByteArray t = stripEol(line).trimmed();
    if (t.startsWith('[')) {
        const int close = t.indexOf(']');
        if (close > 0)
            return t.mid(1, close - 1).trimmed();
    }
    return std::nullopt;
}

// The key of a "key=value" line, or nothing for comments and other lines.
std::optional<QByteArray> keyName(const QByteArray& line)
{
    const QByteArray t = stripEol(line);
    const QByteArray trimmed = t.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(';'))
        return std::nullopt;
    const int eq = t.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return t.left(eq).trimmed();
}

bool sameName(const QByteArray& a, const QByteArray& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// The file's lines, each with its line end. A file saved by an editor as UTF-8 may open
// with a byte-order mark: it is not part of the first section's header, and |bom| tells
// the writer to put it back.
QList<QByteArray> readLines(const QString& fileName, bool* exists, bool* bom = nullptr)
{
    QFile f(fileName);
    *exists = f.open(QIODevice::ReadOnly);
    QList<QByteArray> lines;
    if (!*exists)
        return lines;
    QByteArray all = f.readAll();
    const bool hasBom = all.startsWith(kByteOrderMark);
    if (hasBom)
        all.remove(0, kByteOrderMark.size());
    if (bom)
        *bom = hasBom;
    int start = 0;
    while (start < all.size()) {
        int nl = all.indexOf('\n', start);
        if (nl < 0)
            nl = int(all.size()) - 1;
        lines.append(all.mid(start, nl - start + 1));
        start = nl + 1;
    }
    return lines;
}

std::optional<QByteArray> findValue(const QList<QByteArray>& lines, const QByteArray& section, const QByteArray& key)
{
    bool inSection = false;
    for (const QByteArray& line : lines) {
        if (const auto s = sectionName(line)) {
            inSection = sameName(*s, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const auto k = keyName(line); k && sameName(*k, key)) {
            const QByteArray t = stripEol(line);
            QByteArray v = t.mid(t.indexOf('=') + 1).trimmed();
            if (v.size() >= 2 && ((v.startsWith('"') && v.endsWith('"')) || (v.startsWith('\'') && v.endsWith('\''))))
                v = v.mid(1, v.size() - 2);
            return v;
        }
    }
    return std::nullopt;
}

bool hasWriteBit(const QFileInfo& info)
{
    // Permission bits, not access(): the program may run as root, and a read-only file
    // must still be refused.
    return info.isWritable()
        && (info.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

// Sets |key| = |value| in |section| of |lines|, adding the key (at the end of the
// section) or the section (at the end of the file) when missing.
void setLine(QList<QByteArray>& lines, const QByteArray& section, const QByteArray& key, const QByteArray& value,
             const QByteArray& eol)
{
    const QByteArray newLine = key + '=' + value + eol;
    int sectionStart = -1; // index of the section's header line
    int lastInSection = -1; // last non-blank line of the section
    bool inSection = false;
    for (int i = 0; i < lines.size(); ++i) {
        if (const auto s = sectionName(lines[i])) {
            if (inSection)
                break;
            inSection = sameName(*s, section);
            if (inSection) {
                sectionStart = i;
                lastInSection = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!stripEol(lines[i]).trimmed().isEmpty())
            lastInSection = i;
        if (const auto k = keyName(lines[i]); k && sameName(*k, key)) {
            lines[i] = newLine;
            return;
        }
    }
    if (sectionStart >= 0) {
        if (!lines[lastInSection].endsWith('\n'))
            lines[lastInSection] += eol;
        lines.insert(lastInSection + 1, newLine);
        return;
    }
    if (!lines.isEmpty() && !lines.last().endsWith('\n'))
        lines.last() += eol;
    lines.append('[' + section + ']' + eol);
    lines.append(newLine);
}

} // namespace

int getString(const QByteArray& section, const QByteArray& key, const QByteArray& defaultValue,
              char* buffer, int size, const QString& fileName)
{
    if (!buffer || size <= 0)
        return 0;
    bool exists = false;
    const QList<QByteArray> lines = readLines(fileName, &exists);
    const QByteArray value = findValue(lines, section, key).value_or(defaultValue.trimmed());
    const int n = std::min<int>(int(value.size()), size - 1);
    std::memcpy(buffer, value.constData(), size_t(n));
    buffer[n] = '\0';
    return n;
}

std::optional<QByteArray> findString(const QByteArray& section, const QByteArray& key, const QString& fileName)
{
    bool exists = false;
    return findValue(readLines(fileName, &exists), section, key);
}

bool writeString(const QByteArray& section, const QByteArray& key, const QByteArray& value, const QString& fileName)
{
    return writeStrings(section, {{key, value}}, fileName);
}

bool writeStrings(const QByteArray& section, const QList<std::pair<QByteArray, QByteArray>>& values,
                  const QString& fileName)
{
    const QFileInfo info(fileName);
    if (info.exists() && (!info.isFile() || !hasWriteBit(info)))
        return false;
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir() || !hasWriteBit(folder))
        return false;

    bool exists = false;
    bool bom = false;
    QList<QByteArray> lines = readLines(fileName, &exists, &bom);
    if (info.exists() && !exists)
        return false; // a file that cannot be read is not rewritten from nothing
    const QByteArray eol = (!lines.isEmpty() && lines.first().endsWith("\r\n")) ? QByteArray("\r\n") : QByteArray("\n");
    for (const auto& [key, value] : values)
        setLine(lines, section, key, value, eol);
    if (bom)
        lines.prepend(kByteOrderMark);
    return files::saveAtomically(fileName, lines.join());
}

} // namespace vb::profile
