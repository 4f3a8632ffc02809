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
    kKept = 11,      // the number of a kept value, as a varint
    kLongText = 12,  // the length as a varint, then the UTF-8 bytes
    kShortText = 13, // kShortText + n: n UTF-8 bytes
};
constexpr size_t kShortTextMax = 255 - kShortText;

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
    if (tag == kNull)
        return p;
    if (tag < kReal)
        return p + (tag - kInteger);
    if (tag == kReal)
        return p + sizeof(double);
    quint64 v = 0;
    if (tag == kKept)
        return getVarint(p, v);
    if (tag == kLongText) {
        p = getVarint(p, v);
        return p + v;
    }
    return p + (tag - kShortText);
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
    m_row += char(kKept);
    putVarint(m_row, index);
}

quint32 PackedRows::keep(QVariant value)
{
    m_kept.push_back(std::move(value));
    return quint32(m_kept.size() - 1);
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
    if (tag == kNull)
        return QVariant();
    if (tag < kReal)
        return QVariant(qlonglong(readInteger(p, tag - kInteger)));
    if (tag == kReal) {
        double v = 0;
        std::memcpy(&v, p, sizeof(double));
        return QVariant(v);
    }
    quint64 v = 0;
    if (tag == kKept) {
        getVarint(p, v);
        return m_kept[size_t(v)];
    }
    if (tag == kLongText) {
        p = getVarint(p, v);
        return QVariant(QString::fromUtf8(p, qsizetype(v)));
    }
    return QVariant(QString::fromUtf8(p, qsizetype(tag - kShortText)));
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
