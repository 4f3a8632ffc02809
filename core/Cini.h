#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace vb {

// The reader and writer of the program's settings file "agg.ini".
class Cini {
public:
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& value) { m_fileName = value.trimmed(); }
    QString ApplicationKey() const { return m_applicationKey; }
    void setApplicationKey(const QString& value) { m_applicationKey = value.trimmed(); }

    // The value of |key| in section ApplicationKey, cut to 99 characters and filtered to
    // printable ASCII; "Error" when the value is empty; |defaultValue| when the key or the
    // file is missing.
    QString GetValue(const QString& key, const QString& defaultValue) const;
    // Writes |key| = |value|; true on success.
    bool SetValue(const QString& key, const QString& value) const;
    // Writes several keys in one atomic save (the file holds all of them or none); true
    // on success.
    bool SetValues(const QList<std::pair<QString, QString>>& values) const;

    // An instance addressing section "db_remoto" of the program's "agg.ini".
    static Cini programSettings();

private:
    static QString FilterPrintable(const QByteArray& text);

    QString m_fileName;
    QString m_applicationKey;
};

} // namespace vb
