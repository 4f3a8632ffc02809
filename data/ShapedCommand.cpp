#include "data/ShapedCommand.h"

#include "core/Database.h"

#include <QHash>

#include <algorithm>

namespace vb::data {

namespace {

// A key that equals for equal values: NULL differs from every text.
QString keyOf(const Rows& rows, size_t row, const QVector<int>& columns)
{
    QString key;
    for (int c : columns) {
        const QVariant v = rows.at(row, c);
        key += v.isNull() ? QStringLiteral("\x01") : v.toString();
        key += QChar(0x1f);
    }
    return key;
}

QVector<int> columnsOf(const Rows& rows, const QStringList& names, const QString& levelName)
{
    QVector<int> out;
    for (const QString& n : names) {
        const int f = rows.field(n);
        if (f < 0)
            throw db::Error(QStringLiteral("Campo %1 non trovato nel comando %2.").arg(n, levelName));
        out << f;
    }
    return out;
}

int compareValues(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong) {
        const qlonglong x = a.toLongLong(), y = b.toLongLong();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return a.toString().compare(b.toString(), Qt::CaseInsensitive);
}

// Groups |child| by |by|: one row per distinct value (ordered by those values), each with
// the rows of its group in their order.
Rows computeGroups(const QString& name, const Rows& child, const QStringList& by)
{
    const QVector<int> columns = columnsOf(child, by, child.name);
    QHash<QString, size_t> groupOf;
    std::vector<std::vector<quint32>> groups;
    std::vector<QVector<QVariant>> groupValues;
    for (size_t r = 0; r < child.size(); ++r) {
        const QString key = keyOf(child, r, columns);
        auto it = groupOf.find(key);
        if (it == groupOf.end()) {
            it = groupOf.insert(key, groups.size());
            groups.emplace_back();
            QVector<QVariant> values;
            for (int c : columns)
                values << child.at(r, c);
            groupValues.push_back(std::move(values));
        }
        groups[*it].push_back(quint32(r));
    }

    std::vector<size_t> order(groups.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        for (int i = 0; i < by.size(); ++i) {
            const int c = compareValues(groupValues[a][i], groupValues[b][i]);
            if (c != 0)
                return c < 0;
        }
        return false;
    });
    Rows out;
    out.name = name;
    out.fields = by;
    out.childNames << child.name;
    for (size_t i : order) {
        std::vector<Rows> children;
        children.push_back(child.pick(std::move(groups[i])));
        out.append(groupValues[i], std::move(children));
    }
    return out;
}

// Gives every row of |parent| the rows of |child| related to it on |relate|.
void relateChild(Rows& parent, const Rows& child, const QList<QPair<QString, QString>>& relate)
{
    QStringList parentFields, childFields;
    for (const auto& [p, c] : relate) {
        parentFields << p;
        childFields << c;
    }
    const QVector<int> pc = columnsOf(parent, parentFields, parent.name);
    const QVector<int> cc = columnsOf(child, childFields, child.name);

    QHash<QString, std::vector<quint32>> byKey;
    for (size_t i = 0; i < child.size(); ++i)
        byKey[keyOf(child, i, cc)].push_back(quint32(i));

    std::vector<Rows> related;
    related.reserve(parent.size());
    for (size_t r = 0; r < parent.size(); ++r) {
        const auto it = byKey.constFind(keyOf(parent, r, pc));
        related.push_back(child.pick(it != byKey.constEnd() ? *it : std::vector<quint32>()));
    }
    parent.addChildLevel(child.name, std::move(related));
}

} // namespace

ShapeLevel ShapeLevel::compute(QString name, ShapeLevel child, QStringList by)
{
    ShapeLevel level{std::move(name), {}, std::move(by), {}};
    level.children.push_back({std::move(child), {}});
    return level;
}

ShapeLevel& ShapeLevel::append(ShapeLevel child, QList<QPair<QString, QString>> relate)
{
    children.push_back({std::move(child), std::move(relate)});
    return *this;
}

bool ShapeLevel::hasPath(const QString& path) const
{
    const qsizetype dot = path.indexOf(QLatin1Char('.'));
    const QString head = dot < 0 ? path : path.left(dot);
    if (head.compare(name, Qt::CaseInsensitive) != 0)
        return false;
    if (dot < 0)
        return true;
    const QString rest = path.mid(dot + 1);
    return std::any_of(children.begin(), children.end(), [&](const Child& c) { return c.level.hasPath(rest); });
}

Rows runQuery(db::Database& db, const QString& name, const QString& sql)
{
    auto st = db.query(sql);
    const int n = st.columnCount();
    QStringList fields;
    for (int i = 0; i < n; ++i)
        fields << st.columnName(i);
    PackedRows values(n);
    // Equal texts of a column are kept once and shared: a register repeats its dates,
    // kinds and codes on thousands of rows. A column of mostly different texts stops being
    // looked at once it has shown that many, and its texts are packed as they come.
    constexpr qsizetype kDistinct = 2048;
    std::vector<QHash<QByteArray, quint32>> seen(static_cast<size_t>(n));
    while (st.next()) {
        for (int i = 0; i < n; ++i) {
            switch (st.type(i)) {
            case db::Statement::Type::Null: values.addNull(); break;
            case db::Statement::Type::Integer: values.addInteger(st.integer(i)); break;
            case db::Statement::Type::Real: values.addReal(st.real(i)); break;
            case db::Statement::Type::Text: {
                const QByteArrayView text = st.utf8(i);
                QHash<QByteArray, quint32>& column = seen[size_t(i)];
                if (column.size() >= kDistinct) {
                    values.addText(text);
                    break;
                }
                const auto known = column.constFind(QByteArray::fromRawData(text.data(), text.size()));
                if (known != column.cend()) {
                    values.addKept(*known);
                    break;
                }
                const quint32 kept = values.keep(QVariant(QString::fromUtf8(text)));
                column.insert(text.toByteArray(), kept);
                values.addKept(kept);
                break;
            }
            }
        }
        values.endRow();
    }
    return Rows(name, std::move(fields), std::move(values));
}

Rows runShape(db::Database& db, const ShapeLevel& level)
{
    if (!level.computeBy.isEmpty())
        return computeGroups(level.name, runShape(db, level.children.front().level), level.computeBy);
    Rows out = runQuery(db, level.name, level.sql);
    for (const auto& c : level.children)
        relateChild(out, runShape(db, c.level), c.relate);
    return out;
}

} // namespace vb::data
