#include "ui/window_placement.h"

#include <gtest/gtest.h>

namespace kurvix::ui {
namespace {

struct PlacementCase {
    const char* name;
    QRect available;
    QSize frame;
    QPoint at;
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, CentredWhereItFitsOtherwiseAtTheTopLeft)
{
    EXPECT_EQ(windowPosition(GetParam().available, GetParam().frame), GetParam().at);
}

const PlacementCase kPlacements[] = {
    {"Fits", {0, 0, 1280, 1024}, {547, 534}, {366, 245}},
    {"FitsBelowAPanel", {0, 32, 1280, 992}, {547, 534}, {366, 261}},
    {"ExactlyFits", {10, 20, 547, 534}, {547, 534}, {10, 20}},
    {"TooTall", {0, 0, 640, 480}, {547, 534}, {0, 0}},
    {"TooWideBesideAPanel", {48, 0, 500, 1024}, {547, 534}, {48, 0}},
};
INSTANTIATE_TEST_SUITE_P(Rows, Placement, ::testing::ValuesIn(kPlacements),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kurvix::ui
