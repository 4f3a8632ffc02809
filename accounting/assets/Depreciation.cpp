#include "accounting/assets/Depreciation.h"

#include <vector>

namespace vb::assets {

Money depreciatedValue(Money valore, int years)
{
    if (years <= 0 || valore.isZero())
        return valore;
    // 0.7^130 times the largest amount a cent count can hold is below half a cent.
    if (years >= 130)
        return Money();
    const bool negative = valore.isNegative();
    unsigned long long cents = negative ? 0ULL - static_cast<unsigned long long>(valore.cents())
                                        : static_cast<unsigned long long>(valore.cents());

    // cents × 7^years in decimal digits, least significant first; dividing by 10^years then
    // drops the last |years| digits, and the highest dropped digit decides the rounding.
    std::vector<unsigned char> digits;
    for (; cents > 0; cents /= 10)
        digits.push_back(static_cast<unsigned char>(cents % 10));
    for (int i = 0; i < years; ++i) {
        unsigned carry = 0;
        for (auto& d : digits) {
            const unsigned v = d * 7u + carry;
            d = static_cast<unsigned char>(v % 10);
            carry = v / 10;
        }
        for (; carry > 0; carry /= 10)
            digits.push_back(static_cast<unsigned char>(carry % 10));
    }
    const size_t drop = static_cast<size_t>(years);
    qint64 result = 0;
    for (size_t i = digits.size(); i > drop; --i)
        result = result * 10 + digits[i - 1];
    if (digits.size() >= drop && digits[drop - 1] >= 5)
        ++result;
    return Money::fromCents(negative ? -result : result);
}

} // namespace vb::assets
