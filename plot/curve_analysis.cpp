#include "plot/curve_analysis.h"

#include "numbers/number_text.h"
#include "plot/terms.h"

#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

namespace kurvix {
namespace {

constexpr double kRangeEnd = 5;
constexpr int kGridCells = 1000;    // over the whole range: a cell of 0.01
constexpr int kDerivatives = 4;     // below f″ whose roots part those of the one above
constexpr double kRounding = 1e-13; // a value this small against its terms counts as 0
constexpr double kSameRoot = 1e-12; // roots closer than this are one
constexpr double kBesideZero = 1e-12;

// A sum of powers c + Σ a·x^e, its exponents distinct and nonzero, no coefficient 0.
struct PowerSum {
    std::map<double, double> terms; // exponent to coefficient
    double constant = 0;

    void add(double coefficient, double exponent)
    {
        if (exponent == 0) {
            constant += coefficient;
            return;
        }
        if ((terms[exponent] += coefficient) == 0)
            terms.erase(exponent);
    }

    [[nodiscard]] PowerSum derivative() const
    {
        PowerSum d;
        for (const auto& [e, a] : terms)
            d.add(a * e, e - 1);
        return d;
    }
};

double power(double x, double e)
{
    if (e != std::trunc(e) || std::fabs(e) > 64)
        return std::pow(x, e);
    double result = 1;
    double base = e < 0 ? 1 / x : x;
    for (auto n = static_cast<std::uint64_t>(std::fabs(e)); n != 0; n >>= 1, base *= base)
        if (n & 1U)
            result *= base;
    return result;
}

// The value, and the sum of its terms' magnitudes: what rounding is measured against.
// Beyond the doubles (a power overflowing) it has no sign: the curve is not there.
struct Value {
    double value;
    double scale;
    [[nodiscard]] bool defined() const { return std::isfinite(value) && std::isfinite(scale); }
    [[nodiscard]] bool isZero() const { return defined() && std::fabs(value) <= kRounding * scale; }
    [[nodiscard]] int sign() const { return !defined() || isZero() ? 0 : value < 0 ? -1 : 1; }
};

Value valueAt(const PowerSum& f, double x)
{
    Value v{f.constant, std::fabs(f.constant)};
    for (const auto& [e, a] : f.terms) {
        const double term = a * power(x, e);
        v.value += term;
        v.scale += std::fabs(term);
    }
    return v;
}

struct Root {
    double x;
    bool changesSign;
    int signAfter; // of the function right of the root
};

// Where f leaves the doubles (a power overflowing) between two break points: the last
// point it is still there, added so that a sign change beside it shows. Whether any was.
bool addEdges(const PowerSum& f, std::vector<double>& breaks, const std::vector<Value>& values)
{
    const std::size_t count = breaks.size();
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (values[i].defined() == values[i + 1].defined())
            continue;
        double there = values[i].defined() ? breaks[i] : breaks[i + 1];
        double gone = values[i].defined() ? breaks[i + 1] : breaks[i];
        for (int halving = 0; halving < 64; ++halving) {
            const double middle = (there + gone) / 2;
            (valueAt(f, middle).defined() ? there : gone) = middle;
        }
        if (there != breaks[i] && there != breaks[i + 1])
            breaks.push_back(there);
    }
    if (breaks.size() == count)
        return false;
    std::sort(breaks.begin(), breaks.end());
    return true;
}

// The roots of f on [lo, hi], from the signs at the break points: a sign change
// between two is refined by TOMS 748, a value 0 within rounding is a root itself.
std::vector<Root> rootsOf(const PowerSum& f, std::vector<double> breaks)
{
    if (f.terms.empty()) // a constant: no root, or 0 everywhere
        return {};
    std::vector<Value> values;
    for (const double x : breaks)
        values.push_back(valueAt(f, x));
    if (addEdges(f, breaks, values)) {
        values.clear();
        for (const double x : breaks)
            values.push_back(valueAt(f, x));
    }
    // The sign beside break point i, from the nearest one that has one; none past where f is not there.
    const auto signBeside = [&](std::size_t i, int step) {
        for (auto j = static_cast<std::ptrdiff_t>(i) + step; j >= 0 && j < std::ssize(values); j += step) {
            const Value& v = values[static_cast<std::size_t>(j)];
            if (!v.defined() || !v.isZero())
                return v.sign();
        }
        return 0;
    };
    std::vector<Root> roots;
    for (std::size_t i = 0; i < breaks.size(); ++i) {
        if (values[i].isZero()) { // a root, or a stretch where f is 0 within rounding: its middle
            std::size_t last = i;
            while (last + 1 < breaks.size() && values[last + 1].isZero())
                ++last;
            const int after = signBeside(last, 1);
            roots.push_back({(breaks[i] + breaks[last]) / 2, signBeside(i, -1) * after < 0, after});
            i = last;
            continue;
        }
        if (i + 1 == breaks.size() || values[i].sign() * values[i + 1].sign() >= 0)
            continue;
        std::uintmax_t iterations = 200;
        const auto bracket = boost::math::tools::toms748_solve(
            [&](double x) { return valueAt(f, x).value; }, breaks[i], breaks[i + 1], values[i].value,
            values[i + 1].value, boost::math::tools::eps_tolerance<double>(52), iterations);
        roots.push_back({(bracket.first + bracket.second) / 2, true, values[i + 1].sign()});
    }
    return roots;
}

// Grid points over [lo, hi], denser towards 0, where powers change fastest, and the
// extra break points inside it, in order.
std::vector<double> breaksOver(double lo, double hi, const std::vector<Root>& extra)
{
    const int cells = std::max(2, static_cast<int>(kGridCells * (hi - lo) / (2 * kRangeEnd)));
    std::vector<double> breaks;
    for (int i = 0; i <= cells; ++i)
        breaks.push_back(lo + (hi - lo) * i / cells);
    for (double near = 1e-2; near > kBesideZero; near /= 10)
        for (const double x : {-near, near})
            if (x > lo && x < hi)
                breaks.push_back(x);
    for (const Root& r : extra)
        if (r.x > lo && r.x < hi)
            breaks.push_back(r.x);
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(std::unique(breaks.begin(), breaks.end(), [](double a, double b) { return b - a < kSameRoot; }),
                 breaks.end());
    return breaks;
}

// The roots of f on [lo, hi], each pair parted by a root of the derivative between them,
// as far down as kDerivatives.
std::vector<Root> rootsOf(const PowerSum& f, double lo, double hi, int depth)
{
    const std::vector<Root> parting = depth > 0 ? rootsOf(f.derivative(), lo, hi, depth - 1) : std::vector<Root>{};
    return rootsOf(f, breaksOver(lo, hi, parting));
}

void addPoint(CurveAnalysis& analysis, CurvePoint::Kind kind, double x, double y)
{
    if (!std::isfinite(x))
        return;
    for (const CurvePoint& p : analysis.points)
        if (p.kind == kind && std::fabs(p.x - x) < kSameRoot)
            return;
    analysis.points.push_back({kind, x, y});
}

// The points of f on one stretch of the range where it is defined; `scaled` has its roots,
// `f` its values.
void analyseStretch(CurveAnalysis& analysis, const PowerSum& scaled, const PowerSum& value, double lo, double hi)
{
    const PowerSum& f = scaled;
    const PowerSum f1 = f.derivative();
    const PowerSum f2 = f1.derivative();
    const std::vector<Root> bends = rootsOf(f2, lo, hi, kDerivatives - 2);
    const std::vector<Root> turns = rootsOf(f1, breaksOver(lo, hi, bends));
    for (const Root& r : rootsOf(f, breaksOver(lo, hi, turns)))
        addPoint(analysis, CurvePoint::Kind::Zero, r.x, 0);
    for (const Root& r : turns) {
        const double y = valueAt(value, r.x).value;
        if (valueAt(f, r.x).isZero()) // the curve touches the axis
            addPoint(analysis, CurvePoint::Kind::Zero, r.x, 0);
        if (r.changesSign) // never at an end of the range: a root there has no sign beyond it
            addPoint(analysis, r.signAfter > 0 ? CurvePoint::Kind::Low : CurvePoint::Kind::High, r.x, y);
    }
    for (const Root& r : bends)
        if (r.changesSign)
            addPoint(analysis, valueAt(f1, r.x).isZero() ? CurvePoint::Kind::Saddle : CurvePoint::Kind::Turning, r.x,
                     valueAt(value, r.x).value);
}

// The function as the fields spell it, and where its terms, as a run takes them, leave it undefined.
struct Function {
    PowerSum sum;
    bool fractional = false; // an exponent that leaves x < 0 undefined
    bool negative = false;   // one that leaves x = 0 undefined
};

// The function the fields make; nothing where one cannot be read, with the reason.
std::string readFunction(const ReadFields& read, Function& f)
{
    for (int field = 1; field <= kConstantField; ++field)
        if (read.problem(field) != FieldProblem::None)
            return fieldName(field) + " nicht lesbar";
    for (const TermFields& t : kTermFields) {
        const double coefficient = read.number(t.numerator) / read.number(t.denominator);
        const double exponent = read.number(t.exponent);
        if (&t == &kTermFields[0] && coefficient == 0)
            return "keine Funktionsgleichung";
        // A run takes the power before the coefficient: 0·x^0,5 leaves x < 0 undrawn.
        f.fractional |= exponent != std::trunc(exponent);
        f.negative |= exponent < 0;
        f.sum.add(coefficient, exponent);
    }
    f.sum.add(read.number(kConstantField), 0);
    return {};
}

// The same roots, with coefficients no larger than 1, so that derivatives do not overflow.
PowerSum normalised(const PowerSum& f)
{
    double largest = std::fabs(f.constant);
    for (const auto& [e, a] : f.terms)
        largest = std::max(largest, std::fabs(a));
    PowerSum n = f;
    n.constant /= largest;
    for (auto& [e, a] : n.terms)
        a /= largest;
    return n;
}

Symmetry symmetryOf(const PowerSum& f)
{
    const auto all = [&](auto test) {
        return std::all_of(f.terms.begin(), f.terms.end(), [&](const auto& t) { return test(t.first); });
    };
    const auto integral = [](double e) { return e == std::trunc(e); };
    if (all([&](double e) { return integral(e) && std::fmod(e, 2) == 0; }))
        return Symmetry::AboutYAxis;
    if (f.constant == 0 && all([&](double e) { return integral(e) && std::fmod(e, 2) != 0; }))
        return Symmetry::AboutOrigin;
    return Symmetry::None;
}

} // namespace

CurveAnalysis analyseCurve(const ReadFields& fields)
{
    CurveAnalysis analysis;
    Function f;
    if (const std::string why = readFunction(fields, f); !why.empty()) {
        analysis.whyNone = "Keine Kurvendiskussion: " + why;
        return analysis;
    }
    if (f.sum.terms.empty() && f.sum.constant == 0) {
        analysis.zeroEverywhere = true;
        return analysis;
    }
    for (const auto& [e, a] : f.sum.terms)
        analysis.poleAtZero |= e < 0;
    if (f.fractional)
        analysis.domain = f.negative ? Domain::Positive : Domain::NonNegative;
    analysis.symmetry = f.fractional ? Symmetry::None : symmetryOf(f.sum);
    // Where 0 is not defined, the stretches start just beside it.
    const PowerSum scaled = normalised(f.sum);
    const double nearZero = f.negative ? kBesideZero : 0;
    if (!f.fractional && f.negative)
        analyseStretch(analysis, scaled, f.sum, -kRangeEnd, -nearZero);
    analyseStretch(analysis, scaled, f.sum, f.fractional || f.negative ? nearZero : -kRangeEnd, kRangeEnd);
    std::stable_sort(analysis.points.begin(), analysis.points.end(), [](const CurvePoint& a, const CurvePoint& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.x < b.x;
    });
    return analysis;
}

std::string describeCurve(const CurveAnalysis& analysis, const NumberLocale& locale)
{
    if (!analysis.whyNone.empty())
        return analysis.whyNone;
    if (analysis.zeroEverywhere)
        return "Nullstellen: überall";
    const auto number = [&](double v) { return roundedToText(v, 2, locale); };
    std::vector<std::string> parts;
    const auto list = [&](CurvePoint::Kind kind, const char* one, const char* many, const char* none) {
        std::string items;
        int count = 0;
        for (const CurvePoint& p : analysis.points) {
            if (p.kind != kind)
                continue;
            items += count++ ? "; " : " ";
            items += kind == CurvePoint::Kind::Zero ? number(p.x) : "(" + number(p.x) + " | " + number(p.y) + ")";
        }
        if (count > 0 || none)
            parts.push_back(count == 0 ? none : (count == 1 ? one : many) + items);
    };
    list(CurvePoint::Kind::Zero, "Nullstelle bei", "Nullstellen bei", "keine Nullstelle");
    list(CurvePoint::Kind::High, "Hochpunkt", "Hochpunkte", nullptr);
    list(CurvePoint::Kind::Low, "Tiefpunkt", "Tiefpunkte", nullptr);
    list(CurvePoint::Kind::Turning, "Wendepunkt", "Wendepunkte", nullptr);
    list(CurvePoint::Kind::Saddle, "Sattelpunkt", "Sattelpunkte", nullptr);
    if (analysis.poleAtZero)
        parts.emplace_back("Polstelle bei 0");
    if (analysis.domain != Domain::All)
        parts.emplace_back(analysis.domain == Domain::Positive ? "definiert für x > 0" : "definiert für x ≥ 0");
    if (analysis.symmetry != Symmetry::None)
        parts.emplace_back(analysis.symmetry == Symmetry::AboutYAxis ? "achsensymmetrisch zur y-Achse"
                                                                     : "punktsymmetrisch zum Ursprung");
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ". ") + part;
    return text;
}

} // namespace kurvix
