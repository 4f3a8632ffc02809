#include "core/Cini.h"

#include "core/ProfileFile.h"
#include "core/ProgramEnvironment.h"

#include <QStringConverter>

#include <cstring>

namespace vb {
namespace {

// Single-byte (Windows-1252) text for the profile functions.
QByteArray toAnsi(const QString& s)
{
    auto enc = QStringEncoder("windows-1252");
    if (!enc.isValid())
        return s.toLatin1();
    return enc.encode(s);
}

} // namespace

QString Cini::GetValue(const QString& key, const QString& defaultValue) const
{
    char buffer[100];
    std::memset(buffer, ' ', sizeof buffer); // a buffer of blanks, as the platform's callers prepare it
    const int copied = profile::getString(toAnsi(m_applicationKey), toAnsi(key), toAnsi(defaultValue), buffer,
                                          int(sizeof buffer), m_fileName);
    if (copied == 0)
        return QStringLiteral("Error");
    return FilterPrintable(QByteArray(buffer, sizeof buffer));
}

bool Cini::SetValue(const QString& key, const QString& value) const
{
    return profile::writeString(toAnsi(m_applicationKey), toAnsi(key), toAnsi(value), m_fileName);
}

bool Cini::SetValues(const QList<std::pair<QString, QString>>& values) const
{
    QList<std::pair<QByteArray, QByteArray>> encoded;
    for (const auto& [key, value] : values)
        encoded.append({toAnsi(key), toAnsi(value)});
    return profile::writeStrings(toAnsi(m_applicationKey), encoded, m_fileName);
}

Cini Cini::programSettings()
{
    Cini ini;
    ini.setFileName(settingsFilePath());
    ini.setApplicationKey(QStringLiteral("db_remoto"));
    return ini;
}

QString Cini::FilterPrintable(const QByteArray& text)
{
    QString kept;
    for (char ch : text.trimmed()) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 32 && c < 127)
            kept += QChar(c);
    }
    return kept;
}

} // namespace vb
