#include "data/ShapedCommand.h"

#include "core/Database.h"

#include <QHash>

#include <algorithm>

namespace vb::data {

namespace {

// A key that equals for equal values: NULL differs from every text.
QString keyOf(const QVector<QVariant>& values, const QVector<int>& columns)
{
    QString key;
    for (int c : columns) {
        const QVariant& v = values[c];
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
Rows computeGroups(const QString& name, Rows child, const QStringList& by)
{
    const QVector<int> columns = columnsOf(child, by, child.name);
    Rows out;
    out.name = name;
    out.fields = by;
    out.childNames << child.name;

    QHash<QString, size_t> groupOf;
    std::vector<Rows> groups;
    std::vector<QVector<QVariant>> groupValues;
    for (auto& row : child.rows) {
        const QString key = keyOf(row.values, columns);
        auto it = groupOf.find(key);
        if (it == groupOf.end()) {
            it = groupOf.insert(key, groups.size());
            Rows g;
            g.name = child.name;
            g.fields = child.fields;
            g.childNames = child.childNames;
            groups.push_back(std::move(g));
            QVector<QVariant> values;
            for (int c : columns)
                values << row.values[c];
            groupValues.push_back(std::move(values));
        }
        groups[*it].rows.push_back(std::move(row));
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
    for (size_t i : order) {
        Rows::Row row;
        row.values = groupValues[i];
        row.children.push_back(std::move(groups[i]));
        out.rows.push_back(std::move(row));
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

    QHash<QString, std::vector<size_t>> byKey;
    for (size_t i = 0; i < child.rows.size(); ++i)
        byKey[keyOf(child.rows[i].values, cc)].push_back(i);

    parent.childNames << child.name;
    for (auto& row : parent.rows) {
        Rows related;
        related.name = child.name;
        related.fields = child.fields;
        related.childNames = child.childNames;
        const auto it = byKey.constFind(keyOf(row.values, pc));
        if (it != byKey.constEnd())
            for (size_t i : *it)
                related.rows.push_back(child.rows[i]);
        row.children.push_back(std::move(related));
    }
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
    Rows out;
    out.name = name;
    auto st = db.query(sql);
    const int n = st.columnCount();
    for (int i = 0; i < n; ++i)
        out.fields << st.columnName(i);
    // Equal texts of a column share one string: a register repeats its dates, kinds and
    // codes on thousands of rows. A column of mostly different texts stops being looked
    // at once it has shown that many.
    constexpr qsizetype kDistinct = 2048;
    std::vector<QHash<QString, QVariant>> seen(static_cast<size_t>(n));
    while (st.next()) {
        Rows::Row row;
        row.values.reserve(n);
        for (int i = 0; i < n; ++i) {
            QVariant v = st.value(i);
            QHash<QString, QVariant>& column = seen[size_t(i)];
            if (v.typeId() == QMetaType::QString && column.size() < kDistinct) {
                const QString& text = *static_cast<const QString*>(v.constData());
                const auto known = column.constFind(text);
                if (known != column.cend())
                    v = *known;
                else
                    column.insert(text, v);
            }
            row.values << std::move(v);
        }
        out.rows.push_back(std::move(row));
    }
    return out;
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
