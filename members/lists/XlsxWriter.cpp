#include "members/lists/XlsxWriter.h"

#include "core/Clock.h"
#include "core/Error.h"

#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

#include <array>

namespace vb::lists {
namespace {

std::array<quint32, 256> makeCrcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

void put16(QByteArray& b, quint32 v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& b, quint32 v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// Text made safe for XML: markup characters escaped, characters XML cannot hold dropped.
void appendEscaped(QByteArray& out, const QString& text)
{
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r')
            continue;
        if (u == 0xFFFE || u == 0xFFFF)
            continue;
        switch (u) {
        case u'&': safe += QStringLiteral("&amp;"); break;
        case u'<': safe += QStringLiteral("&lt;"); break;
        case u'>': safe += QStringLiteral("&gt;"); break;
        case u'"': safe += QStringLiteral("&quot;"); break;
        default: safe += c;
        }
    }
    out += safe.toUtf8();
}

QByteArray columnName(int index)
{
    QByteArray name;
    for (int n = index + 1; n > 0; n = (n - 1) / 26)
        name.prepend(char('A' + (n - 1) % 26));
    return name;
}

QByteArray amountText(Money m)
{
    const qint64 c = m.cents();
    const quint64 a = c < 0 ? quint64(-(c + 1)) + 1 : quint64(c);
    QByteArray s = QByteArray::number(a / 100) + '.' + QByteArray::number(a % 100).rightJustified(2, '0');
    return c < 0 ? '-' + s : s;
}

QByteArray sheetXml(const QList<XlsxRow>& rows)
{
    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                   "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    for (int r = 0; r < rows.size(); ++r) {
        const QByteArray rowNum = QByteArray::number(r + 1);
        x += "<row r=\"" + rowNum + "\">";
        const XlsxRow& row = rows[r];
        for (int c = 0; c < row.size(); ++c) {
            const QByteArray ref = columnName(c) + rowNum;
            if (const auto* text = std::get_if<QString>(&row[c])) {
                x += "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">";
                appendEscaped(x, *text);
                x += "</t></is></c>";
            } else if (const auto* n = std::get_if<qint64>(&row[c])) {
                x += "<c r=\"" + ref + "\"><v>" + QByteArray::number(*n) + "</v></c>";
            } else {
                x += "<c r=\"" + ref + "\"><v>" + amountText(std::get<Money>(row[c])) + "</v></c>";
            }
        }
        x += "</row>";
    }
    x += "</sheetData></worksheet>";
    return x;
}

struct Part {
    QByteArray name;
    QByteArray data;
};

class ZipWriter {
public:
    ZipWriter(QIODevice& out, const QDateTime& stamp) : m_out(out)
    {
        const QDate d = stamp.date().year() >= 1980 ? stamp.date() : QDate(1980, 1, 1);
        const QTime t = stamp.time();
        m_dosDate = quint32(((d.year() - 1980) << 9) | (d.month() << 5) | d.day());
        m_dosTime = quint32((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
    }

    void add(const Part& part)
    {
        if (quint64(part.data.size()) >= 0xFFFFFFFFull || m_offset >= 0xFFFFFFFFull)
            throw Error(QStringLiteral("Il foglio di lavoro è troppo grande per essere esportato."));
        const quint32 crc = crc32(part.data);
        QByteArray header;
        put32(header, 0x04034b50);
        putCommon(header, crc, part);
        header += part.name;
        write(header);
        write(part.data);

        QByteArray entry;
        put32(entry, 0x02014b50);
        put16(entry, 20); // made by
        putCommon(entry, crc, part);
        put16(entry, 0);  // comment length
        put16(entry, 0);  // disk
        put16(entry, 0);  // internal attributes
        put32(entry, 0);  // external attributes
        put32(entry, quint32(m_offset));
        entry += part.name;
        m_directory += entry;
        m_offset += quint64(header.size() + part.data.size());
        ++m_count;
    }

    void finish()
    {
        const quint64 directoryOffset = m_offset;
        write(m_directory);
        QByteArray end;
        put32(end, 0x06054b50);
        put16(end, 0);
        put16(end, 0);
        put16(end, m_count);
        put16(end, m_count);
        put32(end, quint32(m_directory.size()));
        put32(end, quint32(directoryOffset));
        put16(end, 0);
        write(end);
    }

private:
    // The fields the local header and the directory entry share, from "version needed" on.
    void putCommon(QByteArray& b, quint32 crc, const Part& part) const
    {
        put16(b, 20);     // version needed
        put16(b, 0x0800); // names in UTF-8
        put16(b, 0);      // stored, no compression
        put16(b, m_dosTime);
        put16(b, m_dosDate);
        put32(b, crc);
        put32(b, quint32(part.data.size()));
        put32(b, quint32(part.data.size()));
        put16(b, quint32(part.name.size()));
        put16(b, 0); // extra length
    }

    void write(const QByteArray& bytes)
    {
        if (m_out.write(bytes) != bytes.size())
            throw Error(QStringLiteral("Scrittura del file non riuscita: %1").arg(m_out.errorString()));
    }

    QIODevice& m_out;
    QByteArray m_directory;
    quint64 m_offset = 0;
    quint32 m_count = 0;
    quint32 m_dosDate = 0;
    quint32 m_dosTime = 0;
};

} // namespace

quint32 crc32(const QByteArray& data)
{
    static const auto table = makeCrcTable();
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : data)
        c = table[(c ^ quint8(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void writeXlsx(QIODevice& out, const QString& sheetName, const QList<XlsxRow>& rows, const QDateTime& stamp)
{
    QByteArray workbook = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                          "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                          "<sheets><sheet name=\"";
    appendEscaped(workbook, sheetName);
    workbook += "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";

    const QList<Part> parts = {
        {"[Content_Types].xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/xl/workbook.xml\" "
         "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
         "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
         "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
         "</Types>"},
        {"_rels/.rels",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
         "Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", workbook},
        {"xl/_rels/workbook.xml.rels",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
         "Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", sheetXml(rows)},
    };
    ZipWriter zip(out, stamp);
    for (const auto& p : parts)
        zip.add(p);
    zip.finish();
}

void saveXlsx(const QString& path, const QString& sheetName, const QList<XlsxRow>& rows)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("Impossibile creare il file %1: %2").arg(path, file.errorString()));
    writeXlsx(file, sheetName, rows, clock().now());
    if (!file.commit())
        throw Error(QStringLiteral("Impossibile salvare il file %1: %2").arg(path, file.errorString()));
}

} // namespace vb::lists
