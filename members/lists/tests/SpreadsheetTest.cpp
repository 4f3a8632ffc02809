#include "members/lists/Spreadsheet.h"

#include "core/Error.h"
#include "members/lists/tests/SheetReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <locale.h>
#include <string>
#include <sys/stat.h>

namespace vb::lists {
namespace {

using test::readSheet;

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

const QString kSheet = QStringLiteral("foglio1");

QList<SheetRow> sampleRows()
{
    return {
        {QStringLiteral("Tess.n."), QStringLiteral("Cognome"), QStringLiteral("Data"), QStringLiteral("Quota"),
         QStringLiteral("Note")},
        {QStringLiteral("00007"), QStringLiteral("D'Angelo & <Figli> \"è\""), QDate(2026, 3, 1), Money::fromCents(123450),
         QString(100, u'x')},
        {QStringLiteral(" 00012 "), QStringLiteral("Rossi"), QDate(), Money::fromCents(-5)},
        {QString(), QStringLiteral("Bianchi"), QDate(1899, 12, 31), Money()},
    };
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

TEST(Spreadsheet, CellsKeepTheirKindsUnderABoldFrozenHeading)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    saveSpreadsheet(path, kSheet, sampleRows());

    const auto sheet = readSheet(path);
    ASSERT_EQ(sheet.error, QString());
    EXPECT_EQ(sheet.name, kSheet);
    EXPECT_EQ(sheet.frozenAt, QStringLiteral("A2"));
    ASSERT_EQ(sheet.rows.size(), 4);
    for (const auto& cell : sheet.rows[0]) {
        SCOPED_TRACE(cell.value.toStdString());
        EXPECT_EQ(cell.type, QStringLiteral("s"));
        EXPECT_TRUE(cell.bold);
    }

    const auto& first = sheet.rows[1];
    EXPECT_EQ(first[0].type, QStringLiteral("s")); // a card number stays text with its zeros
    EXPECT_EQ(first[0].value, QStringLiteral("00007"));
    EXPECT_FALSE(first[0].bold);
    EXPECT_EQ(first[1].value, QStringLiteral("D'Angelo & <Figli> \"è\""));
    EXPECT_EQ(first[2].type, QStringLiteral("n"));
    EXPECT_EQ(first[2].numberFormat, QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(first[2].date(), QDate(2026, 3, 1));
    EXPECT_EQ(first[3].type, QStringLiteral("n"));
    EXPECT_EQ(first[3].numberFormat, QStringLiteral("#,##0.00"));
    EXPECT_EQ(first[3].value, QStringLiteral("1234.5"));

    const auto& second = sheet.rows[2];
    EXPECT_EQ(second[0].value, QStringLiteral(" 00012 "));
    EXPECT_EQ(second[2].type, QString()) << "an invalid date leaves the cell empty";
    EXPECT_EQ(second[3].value, QStringLiteral("-0.05"));

    // A date before the spreadsheet calendar goes in as its text.
    EXPECT_EQ(sheet.rows[3][2].type, QStringLiteral("s"));
    EXPECT_EQ(sheet.rows[3][2].value, QStringLiteral("31/12/1899"));
    EXPECT_EQ(sheet.rows[3][3].value, QStringLiteral("0"));

    // Each column as wide as its longest shown value ("1.234,50" for the amounts, the bold
    // heading a fifth wider) plus a margin, the long note capped (the file adds the
    // spreadsheet's own padding).
    QList<int> widths;
    for (const double w : sheet.widths)
        widths << int(w);
    EXPECT_EQ(widths, (QList<int>{11, 24, 12, 10, 60}));
}

// Puts LC_NUMERIC under Italian rules (decimal comma), as the program runs for its users:
// the installed locale, or one built with localedef into |dir|.
bool useItalianNumbers(const QTemporaryDir& dir)
{
    if (!std::setlocale(LC_NUMERIC, "it_IT.UTF-8")) {
        QProcess::execute(QStringLiteral("localedef"),
                          {QStringLiteral("-i"), QStringLiteral("it_IT"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                           dir.filePath(QStringLiteral("it_IT.UTF-8"))});
        qputenv("LOCPATH", QFile::encodeName(dir.path()));
        std::setlocale(LC_NUMERIC, "it_IT.UTF-8");
        qunsetenv("LOCPATH");
    }
    return std::localeconv()->decimal_point == std::string(",");
}

TEST(Spreadsheet, NumbersKeepTheirPointUnderALocaleWithADecimalComma)
{
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    QTemporaryDir dir;
    const bool italian = useItalianNumbers(dir);
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    if (italian)
        saveSpreadsheet(path, kSheet, sampleRows());
    std::setlocale(LC_NUMERIC, old.c_str());
    if (!italian)
        GTEST_SKIP() << "no Italian locale, and localedef could not build one";

    const auto sheet = readSheet(path);
    ASSERT_EQ(sheet.error, QString());
    EXPECT_EQ(sheet.rows[1][3].value, QStringLiteral("1234.5"));
    EXPECT_EQ(sheet.rows[1][2].date(), QDate(2026, 3, 1));
    EXPECT_EQ(int(sheet.widths.value(0)), 11);
}

TEST(Spreadsheet, TheSavedFileIsReadableByItsOwnerOnly)
{
    const mode_t oldMask = ::umask(022);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    for (const bool existing : {false, true}) {
        SCOPED_TRACE(existing ? "over an older file" : "new file");
        if (existing) {
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
        }
        saveSpreadsheet(path, kSheet, sampleRows());
        EXPECT_EQ(modeOf(path), mode_t(0600));
    }
    ::umask(oldMask);
}

TEST(Spreadsheet, AFailedExportIsReportedAndLeavesNoHalfFile)
{
    for (qint64 limit : {0, 100, 1000}) {
        SCOPED_TRACE(limit);
        FailDevice device(limit);
        EXPECT_THROW(writeSpreadsheet(device, kSheet, sampleRows()), Error);
    }

    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing/out.xlsx"));
    EXPECT_THROW(saveSpreadsheet(missing, kSheet, sampleRows()), Error);
    EXPECT_FALSE(QFile::exists(missing));

    // A text no cell can hold fails the export; the older file of that name stays as it was.
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    {
        QFile older(path);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("older");
    }
    QList<SheetRow> rows = sampleRows();
    rows[1][1] = QString(40000, u'a');
    try {
        saveSpreadsheet(path, kSheet, rows);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.description(),
                  QStringLiteral("Un testo supera i 32.767 caratteri che una cella del foglio di lavoro può contenere."));
    }
    QFile older(path);
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), QByteArray("older"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.xlsx")});
}

} // namespace
} // namespace vb::lists
