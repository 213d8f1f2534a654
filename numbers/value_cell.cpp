#include "numbers/value_cell.h"

#include "numbers/arithmetic.h"

#include <limits>

namespace kurvix {
namespace {

Result<ValueCell> addIntegers(std::int16_t a, std::int16_t b)
{
    const int sum = a + b;
    if (sum < std::numeric_limits<std::int16_t>::min() || sum > std::numeric_limits<std::int16_t>::max())
        return Fault::Overflow;
    return ValueCell(static_cast<std::int16_t>(sum));
}

} // namespace

double ValueCell::number() const
{
    switch (kind()) {
    case Kind::Empty: return 0.0;
    case Kind::Integer: return integer();
    case Kind::Double: return std::get<double>(data_);
    }
    return 0.0;
}

Result<ValueCell> add(const ValueCell& a, const ValueCell& b)
{
    if (a.isEmpty() && b.isEmpty())
        return ValueCell(std::int16_t{0});
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    if (a.kind() == ValueCell::Kind::Integer && b.kind() == ValueCell::Kind::Integer)
        return addIntegers(a.integer(), b.integer());
    const auto sum = add(a.number(), b.number());
    if (!sum)
        return sum.fault();
    return ValueCell(*sum);
}

} // namespace kurvix
