#include "plot/run_report.h"

namespace kurvix {
namespace {

const char* unitName(Unit unit)
{
    switch (unit) {
    case Unit::Inch: return "Zoll";
    case Unit::Millimetre: return "mm";
    case Unit::Centimetre: break;
    }
    return "cm";
}

// "Term 2, Nenner (leer); Konstante (keine Zahl)": the fields a run could not read.
std::string unreadFields(const std::array<std::string, kTermFieldCount>& marks)
{
    std::string unread;
    for (std::size_t i = 0; i < marks.size(); ++i)
        if (!marks[i].empty())
            unread += (unread.empty() ? "" : "; ") + fieldName(static_cast<int>(i) + 1) + " (" + marks[i] + ")";
    return unread;
}

} // namespace

std::string areaDescription(AreaState state, Unit unit, int points, const std::string& discussion)
{
    const std::string actions = ". Im Kontextmenü: Kopieren, Speichern unter, Drucken, Kurvendiskussion.";
    switch (state) {
    case AreaState::BeforeAnyRun: return "Noch nichts gezeichnet" + actions;
    case AreaState::Drawing: return "Wird gezeichnet" + actions;
    case AreaState::NoFunction:
        if (points == 0)
            return "Nichts gezeichnet: keine Funktionsgleichung" + actions;
        break;
    case AreaState::Drawn: break;
    }
    const std::string discussed = discussion.empty() ? "" : ". " + discussion;
    if (points == 0) // the curve runs outside the area
        return "Nichts gezeichnet" + discussed + actions;
    const std::string shown =
        "Maßstab " + std::string(unitName(unit)) + ", " + std::to_string(points) + (points == 1 ? " Punkt" : " Punkte");
    return shown + discussed + actions;
}

std::string problemText(FieldProblem problem)
{
    switch (problem) {
    case FieldProblem::None: break;
    case FieldProblem::Empty: return "leer";
    case FieldProblem::NotANumber: return "keine Zahl";
    case FieldProblem::TooLarge: return "zu groß";
    case FieldProblem::ZeroDenominator: return "Nenner ist 0";
    }
    return {};
}

RunReport reportRun(const RunOutcome& outcome, const FieldTexts& fields, const NumberLocale& locale)
{
    RunReport report;
    const ReadFields read = readFields(fields, locale);
    for (std::size_t i = 0; i < report.marks.size(); ++i)
        report.marks[i] = problemText(read.problems[i]);
    const bool noFunction = outcome.end == RunEnd::NoFunction;
    if (noFunction)
        report.status = outcome.points == 0 ? "Nichts gezeichnet: keine Funktionsgleichung"
                                            : "Abgebrochen: keine Funktionsgleichung";
    else if (const std::string unread = unreadFields(report.marks); !unread.empty())
        report.status = std::string(kDoneStatus) + " Nicht lesbar: " + unread;
    if (outcome.nested)
        return report;
    report.discussion = analyseCurve(read);
    report.description = areaDescription(noFunction ? AreaState::NoFunction : AreaState::Drawn, outcome.unit,
                                         outcome.points, describeCurve(*report.discussion, locale));
    return report;
}

} // namespace kurvix
