#include "data/PackedRows.h"

#include <QString>

#include <algorithm>
#include <cstring>

namespace vb::data {

namespace {

// The first byte of a value.
enum Tag : quint8 {
    kNull = 0,
    kInteger = 1,    // kInteger + n: an integer in its n low bytes (0 to 8), little-endian, sign-extended
    kReal = 10,      // a double in 8 bytes
    kKept = 11,      // the number of a kept value of the column, as a varint
    kLongText = 12,  // the length as a varint, then the UTF-8 bytes
    kDate = 13,      // a text "yyyy-mm-dd" in 3 bytes: year << 9 | month << 5 | day
    kShortText = 14, // kShortText + n: n UTF-8 bytes
    kShortKept = 128 // kShortKept + n: kept value n of the column
};
constexpr size_t kShortTextMax = kShortKept - 1 - kShortText;
constexpr quint32 kShortKeptMax = 255 - kShortKept;

// The 3 bytes of a text "yyyy-mm-dd" (ASCII digits) whose month and day fit their bits;
// -1 for any other text. The text comes back from them as it was.
qint32 packedDate(QByteArrayView utf8)
{
    if (utf8.size() != 10 || utf8[4] != '-' || utf8[7] != '-')
        return -1;
    const auto number = [&](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i) {
            const char c = utf8[i];
            if (c < '0' || c > '9')
                return -1;
            v = v * 10 + (c - '0');
        }
        return v;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 0 || month < 0 || month > 15 || day < 0 || day > 31)
        return -1;
    return year << 9 | month << 5 | day;
}

QString unpackedDate(const char* p)
{
    const int v = quint8(p[0]) | quint8(p[1]) << 8 | quint8(p[2]) << 16;
    const int year = v >> 9, month = (v >> 5) & 15, day = v & 31;
    const char text[10] = {char('0' + year / 1000), char('0' + year / 100 % 10), char('0' + year / 10 % 10),
                           char('0' + year % 10),   '-',
                           char('0' + month / 10),  char('0' + month % 10),
                           '-',
                           char('0' + day / 10),    char('0' + day % 10)};
    return QString::fromLatin1(text, 10);
}

// Blocks start small for the few rows of a group level and grow to this size.
constexpr quint32 kFirstBlock = 4 * 1024;
constexpr quint32 kLargestBlock = 1024 * 1024;

void putVarint(std::string& out, quint64 v)
{
    while (v >= 0x80) {
        out += char(quint8(v) | 0x80);
        v >>= 7;
    }
    out += char(quint8(v));
}

const char* getVarint(const char* p, quint64& v)
{
    v = 0;
    for (int shift = 0;; shift += 7) {
        const quint8 b = quint8(*p++);
        v |= quint64(b & 0x7f) << shift;
        if (!(b & 0x80))
            return p;
    }
}

// The smallest number of low bytes from which |v| comes back by sign extension.
int integerBytes(qint64 v)
{
    for (int n = 0; n < 8; ++n) {
        const qint64 low = n == 0 ? 0 : qint64(quint64(v) << (64 - 8 * n)) >> (64 - 8 * n);
        if (low == v)
            return n;
    }
    return 8;
}

qint64 readInteger(const char* p, int n)
{
    quint64 u = 0;
    for (int i = 0; i < n; ++i)
        u |= quint64(quint8(p[i])) << (8 * i);
    if (n == 0 || n == 8)
        return qint64(u);
    return qint64(u << (64 - 8 * n)) >> (64 - 8 * n);
}

// The byte after the value that starts at |p|.
const char* skip(const char* p)
{
    const quint8 tag = quint8(*p++);
    if (tag >= kShortKept || tag == kNull)
        return p;
    if (tag >= kShortText)
        return p + (tag - kShortText);
    if (tag < kReal)
        return p + (tag - kInteger);
    quint64 v = 0;
    switch (tag) {
    case kReal: return p + sizeof(double);
    case kKept: return getVarint(p, v);
    case kLongText: p = getVarint(p, v); return p + v;
    case kDate: return p + 3;
    default: return p;
    }
}

} // namespace

void PackedRows::addNull()
{
    if (m_added++ < m_columns)
        m_row += char(kNull);
}

void PackedRows::addInteger(qint64 value)
{
    if (m_added++ >= m_columns)
        return;
    const int n = integerBytes(value);
    m_row += char(kInteger + n);
    for (int i = 0; i < n; ++i)
        m_row += char(quint8(quint64(value) >> (8 * i)));
}

void PackedRows::addReal(double value)
{
    if (m_added++ >= m_columns)
        return;
    m_row += char(kReal);
    char bytes[sizeof(double)];
    std::memcpy(bytes, &value, sizeof(double));
    m_row.append(bytes, sizeof(double));
}

void PackedRows::addText(QByteArrayView utf8)
{
    if (m_added++ >= m_columns)
        return;
    const auto n = size_t(utf8.size());
    if (const qint32 date = packedDate(utf8); date >= 0) {
        m_row += char(kDate);
        for (int i = 0; i < 3; ++i)
            m_row += char(quint8(date >> (8 * i)));
        return;
    }
    if (n <= kShortTextMax) {
        m_row += char(kShortText + n);
    } else {
        m_row += char(kLongText);
        putVarint(m_row, n);
    }
    m_row.append(utf8.data(), n);
}

void PackedRows::addKept(quint32 index)
{
    if (m_added++ >= m_columns)
        return;
    if (index <= kShortKeptMax) {
        m_row += char(kShortKept + index);
        return;
    }
    m_row += char(kKept);
    putVarint(m_row, index);
}

quint32 PackedRows::keep(QVariant value)
{
    if (m_added >= m_columns)
        return 0; // beyond the row's columns: addKept() drops it
    if (m_kept.empty())
        m_kept.resize(size_t(m_columns));
    std::vector<QVariant>& column = m_kept[size_t(m_added)];
    column.push_back(std::move(value));
    return quint32(column.size() - 1);
}

void PackedRows::addVariant(const QVariant& value)
{
    if (!value.isValid())
        addNull();
    else if (value.typeId() == QMetaType::LongLong)
        addInteger(value.toLongLong());
    else if (value.typeId() == QMetaType::Double)
        addReal(value.toDouble());
    else
        addKept(keep(value));
}

void PackedRows::endRow()
{
    while (m_added < m_columns)
        addNull();
    const size_t n = m_row.size();
    if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < n) {
        const quint32 next = m_blocks.empty() ? kFirstBlock : std::min(kLargestBlock, m_blocks.back().capacity * 2);
        const auto capacity = quint32(std::max<size_t>(next, n));
        m_blocks.push_back({std::unique_ptr<char[]>(new char[capacity]), 0, capacity});
    }
    Block& block = m_blocks.back();
    if (n > 0)
        std::memcpy(block.bytes.get() + block.used, m_row.data(), n);
    m_rows.push_back({quint32(m_blocks.size() - 1), block.used});
    block.used += quint32(n);
    m_row.clear();
    m_added = 0;
}

const char* PackedRows::find(size_t row, int column) const
{
    if (column < 0 || column >= m_columns)
        return nullptr;
    const Where& where = m_rows[row];
    const char* p = m_blocks[where.block].bytes.get() + where.offset;
    for (int c = 0; c < column; ++c)
        p = skip(p);
    return p;
}

QVariant PackedRows::value(size_t row, int column) const
{
    const char* p = find(row, column);
    if (!p)
        return QVariant();
    const quint8 tag = quint8(*p++);
    if (tag >= kShortKept)
        return m_kept[size_t(column)][tag - kShortKept];
    if (tag >= kShortText)
        return QVariant(QString::fromUtf8(p, qsizetype(tag - kShortText)));
    if (tag == kNull)
        return QVariant();
    if (tag < kReal)
        return QVariant(qlonglong(readInteger(p, tag - kInteger)));
    quint64 v = 0;
    switch (tag) {
    case kReal: {
        double d = 0;
        std::memcpy(&d, p, sizeof(double));
        return QVariant(d);
    }
    case kKept:
        getVarint(p, v);
        return m_kept[size_t(column)][size_t(v)];
    case kLongText:
        p = getVarint(p, v);
        return QVariant(QString::fromUtf8(p, qsizetype(v)));
    case kDate: return QVariant(unpackedDate(p));
    default: return QVariant();
    }
}

qint64 PackedRows::integer(size_t row, int column) const
{
    const char* p = find(row, column);
    if (!p)
        return 0;
    const quint8 tag = quint8(*p);
    if (tag == kNull)
        return 0;
    if (tag < kReal)
        return readInteger(p + 1, tag - kInteger);
    return value(row, column).toLongLong();
}

} // namespace vb::data
