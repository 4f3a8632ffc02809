#include "core/Database.h"
#include "data/RecordSet.h"
#include "data/ShapedCommand.h"
#include "tests/support/TestSupport.h"

#include <QDate>

#include <limits>

inline void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << (v.isValid() ? v.typeName() : "NULL") << ' ' << v.toString().toStdString();
}

using namespace vb;
using data::PackedRows;
using data::Rows;

namespace {

// The same value and the same type, NULL apart from every text.
void expectSame(const QVariant& got, const QVariant& want)
{
    EXPECT_EQ(got.isValid(), want.isValid());
    EXPECT_EQ(got.typeId(), want.typeId());
    EXPECT_EQ(got, want);
    if (want.typeId() == QMetaType::QString) {
        EXPECT_EQ(got.toString().isNull(), want.toString().isNull());
    }
}

} // namespace

TEST(PackedRows, EveryValueReadsBackWithItsTypeAndTheNextValueAfterIt)
{
    const QString accents = QStringLiteral("Dell'Acqua Niccolò àèéìòù €");
    const QVariant values[] = {
        QVariant(),
        QVariant(qlonglong(0)),
        QVariant(qlonglong(1)),
        QVariant(qlonglong(-1)),
        QVariant(qlonglong(127)),
        QVariant(qlonglong(128)),
        QVariant(qlonglong(-128)),
        QVariant(qlonglong(-129)),
        QVariant(qlonglong(1) << 40),
        QVariant(-(qlonglong(1) << 55) - 7),
        QVariant(std::numeric_limits<qlonglong>::max()),
        QVariant(std::numeric_limits<qlonglong>::min()),
        QVariant(2.5),
        QVariant(-0.1),
        QVariant(QString::fromUtf8("", 0)), // an empty text, not NULL
        QVariant(accents),
        QVariant(QString(113, u'x')), // the longest short text
        QVariant(QString(114, u'y')),
        QVariant(QStringLiteral("2026-12-09")), // dates packed apart, and texts that only look like them
        QVariant(QStringLiteral("0000-00-00")),
        QVariant(QStringLiteral("9999-15-31")),
        QVariant(QStringLiteral("2026-16-01")),
        QVariant(QStringLiteral("2026-12-32")),
        QVariant(QStringLiteral("2026-1a-09")),
        QVariant(QStringLiteral("2026/12/09")),
        QVariant(QStringLiteral("2026-12-09 ")),
        QVariant(QString(70000, u'z') + accents),
        QVariant(QDate(2026, 12, 9)), // another type: kept as it is
        QVariant(QString()),          // a null text given as a variant stays one
    };
    PackedRows packed(2);
    int n = 0;
    for (const QVariant& v : values) {
        if (v.typeId() == QMetaType::QString && !v.toString().isNull())
            packed.addText(v.toString().toUtf8()); // as a query packs its texts
        else
            packed.addVariant(v);
        packed.addText(QStringLiteral("dopo %1").arg(n++).toUtf8());
        packed.endRow();
    }
    ASSERT_EQ(packed.size(), std::size(values));
    for (size_t i = 0; i < std::size(values); ++i) {
        SCOPED_TRACE(i);
        expectSame(packed.value(i, 0), values[i]);
        EXPECT_EQ(packed.integer(i, 0), values[i].toLongLong());
        EXPECT_EQ(packed.value(i, 1).toString(), QStringLiteral("dopo %1").arg(i));
    }
}

TEST(PackedRows, RowsOfEverySizeStayWholeAcrossBlocksAndMissingValuesReadNull)
{
    PackedRows packed(3);
    const auto textOf = [](int i) { return QString(i == 500 ? 3 * 1024 * 1024 : i % 300, QChar(u'a' + i % 26)); };
    for (int i = 0; i < 20000; ++i) {
        packed.addInteger(i);
        if (i % 3 != 0) {
            packed.addText(textOf(i).toUtf8());
            if (i % 3 == 2) {
                packed.addKept(packed.keep(QVariant(i)));
                packed.addInteger(-1); // beyond the row's columns: dropped
            }
        }
        packed.endRow();
    }
    ASSERT_EQ(packed.size(), 20000u);
    for (int i = 0; i < 20000; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(packed.integer(size_t(i), 0), i);
        expectSame(packed.value(size_t(i), 1), i % 3 == 0 ? QVariant() : QVariant(textOf(i)));
        expectSame(packed.value(size_t(i), 2), i % 3 == 2 ? QVariant(i) : QVariant());
        EXPECT_FALSE(packed.value(size_t(i), 3).isValid());
    }
}

TEST(Rows, PickedRowsShareTheirValuesAndChildrenAndAChangedCopyLeavesTheOthers)
{
    Rows leaf;
    leaf.name = QStringLiteral("Figlio");
    leaf.fields = QStringList{QStringLiteral("N")};
    leaf.append({qlonglong(7)});

    Rows rows;
    rows.name = QStringLiteral("Padre");
    rows.fields = QStringList{QStringLiteral("Nome"), QStringLiteral("N")};
    rows.childNames = QStringList{QStringLiteral("Figlio")};
    for (int i = 0; i < 6; ++i) {
        std::vector<Rows> children;
        if (i == 4)
            children.push_back(leaf);
        rows.append({QStringLiteral("r%1").arg(i), qlonglong(i)}, std::move(children));
    }

    const Rows picked = rows.pick({5, 4, 1});
    const Rows twice = picked.pick({1, 2});
    EXPECT_EQ(twice.name, rows.name);
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice.value(0, QStringLiteral("nome")), QVariant(QStringLiteral("r4")));
    EXPECT_EQ(twice.integerAt(1, 1), 1);
    EXPECT_EQ(twice.children(0, 0).at(0, 0), QVariant(qlonglong(7)));
    EXPECT_TRUE(twice.children(1, 0).empty());
    EXPECT_TRUE(twice.children(0, 1).empty());

    Rows changed = twice;
    changed.append({QStringLiteral("nuova"), qlonglong(9)});
    std::vector<Rows> more{twice};
    changed.addChildLevel(QStringLiteral("Altro"), std::move(more));
    EXPECT_EQ(changed.size(), 3u);
    EXPECT_EQ(changed.value(2, QStringLiteral("Nome")), QVariant(QStringLiteral("nuova")));
    EXPECT_EQ(changed.children(0, 0).at(0, 0), QVariant(qlonglong(7)));
    EXPECT_EQ(changed.children(0, 1).size(), 2u);
    EXPECT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice.childNames, QStringList{QStringLiteral("Figlio")});
    EXPECT_EQ(rows.size(), 6u);
}

// The rows of a query read as the statement gives each value, over more distinct texts in
// a column than are shared and texts that repeat.
TEST(Rows, AQueryKeepsEveryValueAsTheStatementReadsIt)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    db->execute(QStringLiteral("CREATE TABLE T (A, B, C, D)"));
    {
        db::Transaction t(*db);
        auto insert = db->prepare(QStringLiteral("INSERT INTO T VALUES (?, ?, ?, ?)"));
        for (int i = 0; i < 5000; ++i) {
            insert.reset();
            insert.bind(1, QStringLiteral("Cognome %1 è").arg(i));
            insert.bind(2, QStringLiteral("AQS %1").arg(i % 7));
            insert.bind(3, i % 5 == 0 ? db::Param(nullptr) : i % 5 == 1 ? db::Param(QString::fromUtf8("", 0)) : db::Param(i));
            insert.bind(4, i);
            insert.run();
        }
        t.commit();
    }
    db->execute(QStringLiteral("UPDATE T SET D = D / 4.0 WHERE D % 3 = 0"));
    db->execute(QStringLiteral("UPDATE T SET B = x'00414243' WHERE D = 8"));

    const QString sql = QStringLiteral("SELECT A, B, C, D, -9223372036854775807 - 1 AS E FROM T ORDER BY rowid");
    const Rows rows = data::runQuery(*db, QStringLiteral("T"), sql);
    EXPECT_EQ(rows.fields, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                        QStringLiteral("D"), QStringLiteral("E")}));
    auto st = db->query(sql);
    size_t row = 0;
    while (st.next()) {
        for (int c = 0; c < 5; ++c) {
            SCOPED_TRACE(QStringLiteral("row %1 column %2").arg(row).arg(c).toStdString());
            expectSame(rows.at(row, c), st.value(c));
        }
        ++row;
    }
    EXPECT_EQ(rows.size(), row);
}
