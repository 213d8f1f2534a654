#pragma once

// What the window shows after a run: the status line, the marks on fields the
// run could not read, and the plotting area's description with the
// Kurvendiskussion.

#include "plot/curve_analysis.h"
#include "plot/plot_run.h"

#include <array>
#include <optional>
#include <string>

namespace kurvix {

// What the plotting area shows: nothing yet, a run drawing, or what a run drew.
enum class AreaState { BeforeAnyRun, Drawing, NoFunction, Drawn };

// The area's description as a screen reader hears it, ending with what its
// context menu offers; `points` counts those inside the area.
std::string areaDescription(AreaState state, Unit unit = Unit::Centimetre, int points = 0,
                            const std::string& discussion = {});

// Why the run cannot read a field, in a word or two; empty where it can.
std::string problemText(FieldProblem problem);

// How a run that was not stopped left the window: how it ended, the unit and
// the points inside the area, and whether an outer run goes on drawing.
struct RunOutcome {
    RunEnd end = RunEnd::Finished;
    Unit unit = Unit::Centimetre;
    int points = 0;
    bool nested = false;
};

struct RunReport {
    std::optional<std::string> status;                // what replaces the run's last status, where anything does
    std::array<std::string, kTermFieldCount> marks{}; // why each field cannot be read; empty where it can
    // Only once the outermost run has ended: the Kurvendiskussion and the area's description.
    std::optional<CurveAnalysis> discussion;
    std::optional<std::string> description;
};

// The report on a run, from its outcome and the fields' texts as it ended.
RunReport reportRun(const RunOutcome& outcome, const FieldTexts& fields, const NumberLocale& locale);

} // namespace kurvix
