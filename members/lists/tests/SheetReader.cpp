#include "members/lists/tests/SheetReader.h"

#include <QHash>
#include <QProcess>
#include <QXmlStreamReader>

namespace vb::test {
namespace {

// The built-in number formats the workbooks use (a style names them by id alone).
QString builtInFormat(int id)
{
    static const QHash<int, QString> formats = {
        {0, QStringLiteral("General")}, {1, QStringLiteral("0")}, {2, QStringLiteral("0.00")},
        {3, QStringLiteral("#,##0")}, {4, QStringLiteral("#,##0.00")}, {14, QStringLiteral("mm-dd-yy")},
        {49, QStringLiteral("@")},
    };
    return formats.value(id, QStringLiteral("built-in %1").arg(id));
}

QByteArray unzip(const QStringList& args, QString* error)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QStringLiteral("unzip %1 failed: %2 %3")
                     .arg(args.join(u' '), p.errorString(), QString::fromLocal8Bit(p.readAllStandardError()));
        return {};
    }
    return p.readAllStandardOutput();
}

int columnIndex(QStringView ref)
{
    int n = 0;
    for (const QChar c : ref) {
        if (!c.isUpper())
            break;
        n = n * 26 + (c.unicode() - u'A' + 1);
    }
    return n - 1;
}

QStringView attr(const QXmlStreamReader& xml, const char* name)
{
    return xml.attributes().value(QLatin1StringView(name));
}

int attrInt(const QXmlStreamReader& xml, const char* name)
{
    return attr(xml, name).toInt();
}

struct Style {
    QString format;
    bool bold = false;
};

QList<Style> readStyles(const QByteArray& xmlText)
{
    QHash<int, QString> custom;
    QList<bool> fontBold;
    QList<Style> styles;
    QXmlStreamReader xml(xmlText);
    QString sectionName;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == u"fonts" || name == u"cellXfs" || name == u"cellStyleXfs")
            sectionName = name.toString();
        else if (name == u"numFmt")
            custom.insert(attrInt(xml, "numFmtId"), attr(xml, "formatCode").toString());
        else if (name == u"font" && sectionName == u"fonts")
            fontBold.append(false);
        else if (name == u"b" && sectionName == u"fonts" && !fontBold.isEmpty())
            fontBold.last() = true;
        else if (name == u"xf" && sectionName == u"cellXfs") {
            const int id = attrInt(xml, "numFmtId");
            const int font = attrInt(xml, "fontId");
            styles.append({custom.value(id, builtInFormat(id)), font < fontBold.size() && fontBold[font]});
        }
    }
    return styles;
}

QStringList readSharedStrings(const QByteArray& xmlText)
{
    QStringList strings;
    QXmlStreamReader xml(xmlText);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings.append(QString());
        else if (xml.isStartElement() && xml.name() == u"t" && !strings.isEmpty())
            strings.last() += xml.readElementText();
    }
    return strings;
}

} // namespace

QDate ReadCell::date() const
{
    return QDate(1899, 12, 30).addDays(value.toLongLong());
}

ReadSheet readSheet(const QString& path)
{
    ReadSheet sheet;
    unzip({QStringLiteral("-tqq"), path}, &sheet.error);
    const QByteArray workbook = unzip({QStringLiteral("-p"), path, QStringLiteral("xl/workbook.xml")}, &sheet.error);
    const QByteArray styles = unzip({QStringLiteral("-p"), path, QStringLiteral("xl/styles.xml")}, &sheet.error);
    QString noStrings; // a sheet without text has no shared strings
    const QByteArray strings = unzip({QStringLiteral("-p"), path, QStringLiteral("xl/sharedStrings.xml")}, &noStrings);
    const QByteArray data = unzip({QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/sheet1.xml")}, &sheet.error);
    if (!sheet.error.isEmpty())
        return sheet;

    QXmlStreamReader book(workbook);
    while (!book.atEnd() && sheet.name.isEmpty())
        if (book.readNext() == QXmlStreamReader::StartElement && book.name() == u"sheet")
            sheet.name = attr(book, "name").toString();

    const QList<Style> styleList = readStyles(styles);
    const QStringList shared = readSharedStrings(strings);
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == u"pane" && attr(xml, "state") == u"frozen") {
            sheet.frozenAt = attr(xml, "topLeftCell").toString();
        } else if (name == u"col") {
            const int last = attrInt(xml, "max");
            if (sheet.widths.size() < last)
                sheet.widths.resize(last, 0.0);
            for (int c = attrInt(xml, "min"); c <= last; ++c)
                sheet.widths[c - 1] = attr(xml, "width").toDouble();
        } else if (name == u"row") {
            sheet.rows.resize(attrInt(xml, "r"));
        } else if (name == u"c" && !sheet.rows.isEmpty()) {
            ReadCell cell;
            cell.type = xml.attributes().hasAttribute(QLatin1StringView("t")) ? attr(xml, "t").toString() : QStringLiteral("n");
            const int style = attrInt(xml, "s");
            cell.numberFormat = style < styleList.size() ? styleList[style].format : QStringLiteral("General");
            cell.bold = style < styleList.size() && styleList[style].bold;
            const int column = columnIndex(attr(xml, "r"));
            while (!(xml.isEndElement() && xml.name() == u"c") && !xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == u"v")
                    cell.value = xml.readElementText();
            }
            if (cell.type == u"s")
                cell.value = shared.value(cell.value.toInt());
            auto& row = sheet.rows.last();
            if (row.size() <= column)
                row.resize(column + 1);
            row[column] = cell;
        }
    }
    if (xml.hasError())
        sheet.error = QStringLiteral("sheet XML: ") + xml.errorString();
    return sheet;
}

} // namespace vb::test
