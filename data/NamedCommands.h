#pragma once

#include "data/ShapedCommand.h"

#include <QString>

#include <vector>

namespace vb::data {

// A named command of the data environment: the fixed query a report draws its rows from.
// The commands take no parameters: the window that prints writes its selection into the
// tables (flags, print tables) before the report runs the command.
struct NamedCommand {
    enum class Kind { Sql, Table, Shape };

    QString name;
    Kind kind = Kind::Sql;
    QString text;      // the SELECT (Sql) or the table's name (Table); empty for Shape
    ShapeLevel shape;  // Shape only: the parent level, named like the command

    // The query that a Sql or Table command runs.
    QString sql() const;
    // The rows of the command on |db|. Throws db::Error.
    Rows run(db::Database& db) const;
    // Whether |path| is the command's name or the dotted path of one of its child levels.
    bool hasPath(const QString& path) const;
};

// Every command the reports use, in a fixed order.
const std::vector<NamedCommand>& namedCommands();

} // namespace vb::data
