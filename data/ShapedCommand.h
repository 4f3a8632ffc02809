#pragma once

#include "data/RecordSet.h"

#include <QPair>
#include <QString>
#include <QStringList>

#include <vector>

namespace vb::db {
class Database;
}

namespace vb::data {

// One level of a data-shaping command. Its rows come either from a query (|sql|) or, with
// |computeBy| set, from grouping the rows of its one child level by those fields: one row
// per distinct value, whose child rows are the rows of that group. A level with a query
// may append child levels related to it: each parent row holds the child rows whose
// RELATE fields equal its own.
struct ShapeLevel {
    struct Child;

    QString name;
    QString sql;
    QStringList computeBy;
    std::vector<Child> children;

    static ShapeLevel query(QString name, QString sql);
    static ShapeLevel compute(QString name, ShapeLevel child, QStringList by);
    ShapeLevel& append(ShapeLevel child, QList<QPair<QString, QString>> relate);

    // Whether |path| (dotted, from this level's name) names this level or one below it.
    bool hasPath(const QString& path) const;
};

struct ShapeLevel::Child {
    ShapeLevel level;
    QList<QPair<QString, QString>> relate; // parent field, child field
};

// Defined here, where Child is complete: building the level builds its vector of children.
inline ShapeLevel ShapeLevel::query(QString name, QString sql) { return {std::move(name), std::move(sql), {}, {}}; }

// Runs the queries of |level| and its children on |db| and builds the rows of every level.
// Throws db::Error.
Rows runShape(db::Database& db, const ShapeLevel& level);

// The rows of a plain query on |db|, named |name|. Throws db::Error.
Rows runQuery(db::Database& db, const QString& name, const QString& sql);

} // namespace vb::data
