#include "members/lists/XlsxWriter.h"

#include "core/Error.h"
#include "members/lists/tests/ZipReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vb::lists {
namespace {

// A device that accepts |limit| bytes and then refuses every write.
class FailDevice : public QIODevice {
public:
    explicit FailDevice(qint64 limit) : m_limit(limit) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override
    {
        if (m_written + len > m_limit)
            return -1;
        m_written += len;
        return len;
    }

private:
    qint64 m_limit;
    qint64 m_written = 0;
};

const QDateTime kStamp(QDate(2026, 12, 9), QTime(10, 7, 0));

TEST(XlsxWriter, WritesAValidPackageWhoseSheetHoldsTheRows)
{
    const QList<XlsxRow> rows = {
        {QStringLiteral("Cognome"), QStringLiteral("Quota"), QStringLiteral("Num")},
        {QStringLiteral("D'Angelo & <Figli> \"è\""), Money::fromCents(123450), qint64(7)},
        {QStringLiteral(" 00012 "), Money::fromCents(-5), qint64(-3)},
    };
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeXlsx(buffer, QStringLiteral("foglio1"), rows, kStamp);

    QString error;
    const auto entries = test::readStoredZip(buffer.data(), &error);
    ASSERT_EQ(error, QString());
    EXPECT_EQ(entries.keys(), (QStringList{QStringLiteral("[Content_Types].xml"), QStringLiteral("_rels/.rels"),
                                           QStringLiteral("xl/_rels/workbook.xml.rels"), QStringLiteral("xl/workbook.xml"),
                                           QStringLiteral("xl/worksheets/sheet1.xml")}));
    EXPECT_TRUE(entries.value(QStringLiteral("xl/workbook.xml")).contains("<sheet name=\"foglio1\""));
    const QByteArray sheet = entries.value(QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_EQ(test::sheetCells(sheet), (QList<QStringList>{
        {QStringLiteral("Cognome"), QStringLiteral("Quota"), QStringLiteral("Num")},
        {QStringLiteral("D'Angelo & <Figli> \"è\""), QStringLiteral("1234.50"), QStringLiteral("7")},
        {QStringLiteral(" 00012 "), QStringLiteral("-0.05"), QStringLiteral("-3")},
    }));
    // Numbers are number cells, texts inline strings; cell references run A1, B1, ...
    EXPECT_TRUE(sheet.contains("<c r=\"B2\"><v>1234.50</v></c>"));
    EXPECT_TRUE(sheet.contains("<c r=\"A3\" t=\"inlineStr\">"));
}

TEST(XlsxWriter, ColumnsBeyondZContinueWithTwoLetters)
{
    XlsxRow row;
    for (int i = 0; i < 28; ++i)
        row.append(qint64(i));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeXlsx(buffer, QStringLiteral("foglio1"), {row}, kStamp);
    QString error;
    const QByteArray sheet = test::readStoredZip(buffer.data(), &error).value(QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheet.contains("<c r=\"Z1\"><v>25</v>"));
    EXPECT_TRUE(sheet.contains("<c r=\"AB1\"><v>27</v>"));
}

TEST(XlsxWriter, CrcMatchesTheZipCheckValue)
{
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc32(QByteArray()), 0u);
}

TEST(XlsxWriter, AFailingWriteIsReportedAndLeavesNoFile)
{
    for (qint64 limit : {0, 100, 1000}) {
        SCOPED_TRACE(limit);
        FailDevice device(limit);
        EXPECT_THROW(writeXlsx(device, QStringLiteral("foglio1"), {{QStringLiteral("x")}}, kStamp), Error);
    }
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("missing/out.xlsx"));
    EXPECT_THROW(saveXlsx(path, QStringLiteral("foglio1"), {{QStringLiteral("x")}}), Error);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace vb::lists
