#include "members/lists/tests/ZipReader.h"

#include "members/lists/XlsxWriter.h"

#include <QXmlStreamReader>

namespace vb::test {
namespace {

quint32 get16(const QByteArray& b, qsizetype at) { return quint8(b[at]) | (quint8(b[at + 1]) << 8); }
quint32 get32(const QByteArray& b, qsizetype at) { return get16(b, at) | (get16(b, at + 2) << 16); }

} // namespace

QMap<QString, QByteArray> readStoredZip(const QByteArray& zip, QString* error)
{
    auto fail = [&](const QString& why) {
        *error = why;
        return QMap<QString, QByteArray>();
    };
    const qsizetype eocd = zip.size() - 22;
    if (eocd < 0 || get32(zip, eocd) != 0x06054b50)
        return fail(QStringLiteral("no end of central directory"));
    const quint32 count = get16(zip, eocd + 10);
    const quint32 dirSize = get32(zip, eocd + 12);
    qsizetype at = get32(zip, eocd + 16);
    if (at + qsizetype(dirSize) != eocd)
        return fail(QStringLiteral("directory does not end at the end record"));
    QMap<QString, QByteArray> entries;
    for (quint32 i = 0; i < count; ++i) {
        if (get32(zip, at) != 0x02014b50)
            return fail(QStringLiteral("bad directory entry"));
        const quint32 method = get16(zip, at + 10);
        const quint32 crc = get32(zip, at + 16);
        const quint32 size = get32(zip, at + 20);
        const quint32 nameLen = get16(zip, at + 28);
        const quint32 extraLen = get16(zip, at + 30);
        const quint32 commentLen = get16(zip, at + 32);
        const qsizetype local = get32(zip, at + 42);
        const QByteArray name = zip.mid(at + 46, nameLen);
        at += 46 + nameLen + extraLen + commentLen;
        if (method != 0 || get32(zip, local) != 0x04034b50 || zip.mid(local + 30, get16(zip, local + 26)) != name)
            return fail(QStringLiteral("bad local header of ") + QString::fromUtf8(name));
        const QByteArray data = zip.mid(local + 30 + get16(zip, local + 26) + get16(zip, local + 28), size);
        if (data.size() != qsizetype(size) || lists::crc32(data) != crc || get32(zip, local + 14) != crc)
            return fail(QStringLiteral("bad contents of ") + QString::fromUtf8(name));
        entries.insert(QString::fromUtf8(name), data);
    }
    return entries;
}

QList<QStringList> sheetCells(const QByteArray& sheetXml)
{
    QList<QStringList> rows;
    QXmlStreamReader xml(sheetXml);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row")
            rows.append(QStringList());
        else if ((xml.name() == u"t" || xml.name() == u"v") && !rows.isEmpty())
            rows.last() << xml.readElementText();
    }
    if (xml.hasError())
        rows.append({QStringLiteral("XML error: ") + xml.errorString()});
    return rows;
}

} // namespace vb::test
