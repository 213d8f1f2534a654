#include "plot/decision.h"

#include "numbers/arithmetic.h"

namespace kurvix {
namespace {

Result<double> termValue(double x, const Term& term)
{
    if (!term.inputs)
        return 0.0;
    const auto p = power(x, term.inputs->exponent);
    if (!p)
        return p.fault();
    return multiply(term.inputs->coefficient, *p);
}

Sample noPoint() { return {Sample::Verdict::NoPoint, 0}; }

} // namespace

Sample decide(double x, const std::array<Term, 3>& terms, FixedDecimal constant)
{
    const auto& first = terms[0].inputs;
    if (!first || first->coefficient == 0)
        return {Sample::Verdict::NoFunction, 0};

    double sum = 0;
    for (const Term& term : terms) {
        const auto t = termValue(x, term);
        const auto s = t ? add(sum, *t) : t;
        if (!s)
            return noPoint();
        sum = *s;
    }
    const auto total = add(sum, constant.toDouble());
    if (!total)
        return noPoint();
    return {Sample::Verdict::Point, -*total};
}

} // namespace kurvix
