#include "members/lists/Spreadsheet.h"

#include "core/Clock.h"
#include "core/Error.h"
#include "core/Format.h"
#include "core/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <locale.h>
#include <memory>

namespace vb::lists {
namespace {

constexpr int kMaxColumnWidth = 60; // characters: a longer value shows in part, as in any sheet

// libxlsxwriter prints numbers with the C library, which follows LC_NUMERIC: under a locale
// with a decimal comma an amount would be written "25,5", which no spreadsheet reads. The C
// rules hold on this thread while the workbook is built and written.
class CNumbers {
public:
    CNumbers() : m_c(newlocale(LC_ALL_MASK, "C", locale_t(nullptr)))
    {
        if (m_c)
            m_old = uselocale(m_c);
    }
    ~CNumbers()
    {
        if (m_c) {
            uselocale(m_old);
            freelocale(m_c);
        }
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    locale_t m_c;
    locale_t m_old = LC_GLOBAL_LOCALE;
};

struct WorkbookFree {
    void operator()(lxw_workbook* wb) const { lxw_workbook_free(wb); }
};
using Workbook = std::unique_ptr<lxw_workbook, WorkbookFree>;

Error libraryError(lxw_error code, int savedErrno)
{
    switch (code) {
    case LXW_NO_ERROR:
        break;
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return Error(QStringLiteral("Memoria insufficiente per scrivere il foglio di lavoro."));
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return Error(QStringLiteral("Un testo supera i 32.767 caratteri che una cella del foglio di lavoro può contenere."));
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return Error(QStringLiteral("Il foglio di lavoro è troppo grande per essere esportato."));
    default:
        if (savedErrno != 0)
            return Error(QStringLiteral("Scrittura del foglio di lavoro non riuscita: %1")
                             .arg(QString::fromLocal8Bit(std::strerror(savedErrno))));
        break;
    }
    return Error(QStringLiteral("Scrittura del foglio di lavoro non riuscita (errore %1 della libreria xlsxwriter: %2).")
                     .arg(int(code))
                     .arg(QString::fromUtf8(lxw_strerror(code))));
}

void check(lxw_error code)
{
    if (code != LXW_NO_ERROR)
        throw libraryError(code, 0);
}

// Dates a spreadsheet can hold (its calendar starts in 1900).
bool storableDate(const QDate& d)
{
    return d.isValid() && d.year() >= 1900 && d.year() <= 9999;
}

// The characters a cell shows, to size its column.
qsizetype shownLength(const SheetCell& cell)
{
    if (const auto* text = std::get_if<QString>(&cell))
        return text->size();
    if (const auto* amount = std::get_if<Money>(&cell))
        return fmt::money(*amount).size();
    return fmt::date(std::get<QDate>(cell)).size();
}

struct Formats {
    lxw_format* heading;
    lxw_format* amount;
    lxw_format* date;
};

void writeCell(lxw_worksheet* sheet, lxw_row_t r, lxw_col_t c, const SheetCell& cell, const Formats& f, bool heading)
{
    if (const auto* text = std::get_if<QString>(&cell)) {
        check(worksheet_write_string(sheet, r, c, text->toUtf8().constData(), heading ? f.heading : nullptr));
    } else if (const auto* amount = std::get_if<Money>(&cell)) {
        // The cell holds a binary number: the nearest one to the exact amount.
        check(worksheet_write_number(sheet, r, c, double(amount->cents()) / 100.0, f.amount));
    } else if (const QDate& d = std::get<QDate>(cell); storableDate(d)) {
        lxw_datetime when{d.year(), d.month(), d.day(), 0, 0, 0.0};
        check(worksheet_write_datetime(sheet, r, c, &when, f.date));
    } else if (d.isValid()) {
        check(worksheet_write_string(sheet, r, c, fmt::date(d).toUtf8().constData(), nullptr));
    }
}

// Builds the workbook into the file |fileName|.
void buildWorkbook(const QString& fileName, const QString& sheetName, const QList<SheetRow>& rows)
{
    const CNumbers cNumbers;
    const QByteArray name = QFile::encodeName(fileName);
    Workbook wb(workbook_new(name.constData()));
    if (!wb)
        throw libraryError(LXW_ERROR_MEMORY_MALLOC_FAILED, 0);

    lxw_doc_properties properties{};
    properties.created = time_t(clock().now().toSecsSinceEpoch());
    check(workbook_set_properties(wb.get(), &properties));

    lxw_worksheet* sheet = workbook_add_worksheet(wb.get(), sheetName.toUtf8().constData());
    if (!sheet)
        throw Error(QStringLiteral("Nome del foglio di lavoro non valido: %1").arg(sheetName));

    Formats f{workbook_add_format(wb.get()), workbook_add_format(wb.get()), workbook_add_format(wb.get())};
    if (!f.heading || !f.amount || !f.date)
        throw libraryError(LXW_ERROR_MEMORY_MALLOC_FAILED, 0);
    format_set_bold(f.heading);
    format_set_num_format(f.amount, "#,##0.00");
    format_set_num_format(f.date, "dd/mm/yyyy");

    QList<qsizetype> widths;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (r >= qsizetype(LXW_ROW_MAX))
            throw libraryError(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE, 0);
        const SheetRow& row = rows[r];
        if (row.size() > qsizetype(LXW_COL_MAX))
            throw libraryError(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE, 0);
        if (widths.size() < row.size())
            widths.resize(row.size(), 0);
        for (qsizetype c = 0; c < row.size(); ++c) {
            writeCell(sheet, lxw_row_t(r), lxw_col_t(c), row[c], f, r == 0);
            const qsizetype length = shownLength(row[c]);
            // The heading's bold letters are about a fifth wider.
            widths[c] = std::max(widths[c], r == 0 ? (length * 6 + 4) / 5 : length);
        }
    }
    for (qsizetype c = 0; c < widths.size(); ++c)
        check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                                   double(std::min<qsizetype>(widths[c] + 2, kMaxColumnWidth)), nullptr));
    if (!rows.isEmpty())
        worksheet_freeze_panes(sheet, 1, 0);

    errno = 0;
    const lxw_error closed = workbook_close(wb.release()); // writes the file and frees the workbook
    if (closed != LXW_NO_ERROR)
        throw libraryError(closed, errno);
}

} // namespace

void writeSpreadsheet(QIODevice& out, const QString& sheetName, const QList<SheetRow>& rows)
{
    // libxlsxwriter writes only to a named file: a private temporary one, copied to |out|.
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("vellumbra-XXXXXX.xlsx")));
    if (!file.open())
        throw Error(QStringLiteral("Impossibile creare il file temporaneo in %1: %2")
                        .arg(QDir::toNativeSeparators(QDir::tempPath()), files::describeSystemError(errno)));
    file.close();
    buildWorkbook(file.fileName(), sheetName, rows);

    if (!file.open())
        throw Error(QStringLiteral("Impossibile leggere il file temporaneo %1: %2").arg(file.fileName(), files::describeSystemError(errno)));
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(1 << 16);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
            throw Error(QStringLiteral("Impossibile leggere il file temporaneo %1: %2").arg(file.fileName(), files::describeSystemError(errno)));
        if (out.write(chunk) != chunk.size())
            throw Error(QStringLiteral("Scrittura del file non riuscita: %1").arg(files::describeSystemError(errno)));
    }
}

void saveSpreadsheet(const QString& path, const QString& sheetName, const QList<SheetRow>& rows)
{
    // The sheet holds members' personal data: a private file, written whole or not at all.
    QString cause;
    if (!files::saveAtomically(path, [&](QIODevice& file) { writeSpreadsheet(file, sheetName, rows); }, &cause))
        throw Error(QStringLiteral("Impossibile salvare il file %1: %2.").arg(QDir::toNativeSeparators(path), cause));
}

} // namespace vb::lists
