// cashbook_writer ARCHIVE COUNT: the second process of the concurrent-writers test. Adds
// COUNT rows to the cash book of ARCHIVE, whose key it reads from the standard input;
// prints every refusal and exits 1 when there was one.
#include "accounting/tests/CashBookWriter.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    const QString key = QString::fromUtf8(in.readLine().trimmed());
    try {
        auto db = vb::db::Database::open(QString::fromLocal8Bit(argv[1]), key);
        std::printf("pronto\n");
        std::fflush(stdout);
        const QStringList refused = vb::accounting::test::addCashRows(*db, std::atoi(argv[2]), QStringLiteral("altro"));
        for (const QString& r : refused)
            std::fprintf(stderr, "%s\n", r.toLocal8Bit().constData());
        return refused.isEmpty() ? 0 : 1;
    } catch (const vb::Error& e) {
        std::fprintf(stderr, "%s\n", e.description().toLocal8Bit().constData());
        return 1;
    }
}
