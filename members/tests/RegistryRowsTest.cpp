#include "members/RegistryRows.h"

#include <gtest/gtest.h>

namespace vb::members {
namespace {

using Texts = RegistryRows::Texts;

// Every text comes back whole from its own line, empty ones and accented ones included,
// also after the lines were emptied and filled again with fewer.
TEST(RegistryRowsTest, TextsComeBackFromTheirOwnLine)
{
    const QByteArray accented = QStringLiteral("Niccolò D'Amico").toUtf8();
    const std::vector<std::pair<qint64, Texts>> lines{
        {7, {"Rossi", "Mario", "0", "333 1234567", "RSSMRA80A01E715X", "12"}},
        {3, {accented, "", "", "", "", ""}},
        {9, {"", "", "", "", "", "00042"}},
    };
    RegistryRows rows;
    for (int fill = 0; fill < 2; ++fill) {
        SCOPED_TRACE(fill);
        rows.clear();
        const size_t count = fill == 0 ? lines.size() : 2;
        for (size_t i = 0; i < count; ++i)
            rows.append(lines[i].first, lines[i].second, int(i));
        ASSERT_EQ(rows.size(), int(count));
        for (size_t i = 0; i < count; ++i) {
            EXPECT_EQ(rows.codNom(int(i)), lines[i].first);
            EXPECT_EQ(rows.codiceControllo(int(i)), int(i));
            for (int t = 0; t < RegistryRows::TextCount; ++t)
                EXPECT_EQ(rows.text(int(i), RegistryRows::Text(t)), QString::fromUtf8(lines[i].second[size_t(t)]))
                    << i << " " << t;
        }
    }
}

} // namespace
} // namespace vb::members
