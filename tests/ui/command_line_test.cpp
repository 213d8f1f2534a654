#include "ui/command_line.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kurvix::ui {
namespace {

struct LineCase {
    const char* name;
    QStringList arguments; // after the program's name
    CommandLine::Action action;
    const char* text; // its start
    bool german = true;
};

class Reading : public ::testing::TestWithParam<LineCase> {};

TEST_P(Reading, AnswersItsOwnOptionsPassesQtsAndRefusesTheRest)
{
    const auto& c = GetParam();
    const CommandLine line = readCommandLine(QStringList{QStringLiteral("kurvix")} + c.arguments, "1.00", c.german);
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.text.left(QString::fromUtf8(c.text).size()).toStdString(), c.text);
}

using Action = CommandLine::Action;
const LineCase kLines[] = {
    {"Usage", {"--help"}, Action::PrintUsage, "Aufruf: kurvix [OPTION]\n"},
    {"Version", {"-v"}, Action::PrintVersion, "kurvix 1.00\n"},
    {"QtOptionsPass", {"-platform", "xcb", "-reverse"}, Action::OpenWindow, ""},
    {"UnknownOption", {"--fly"}, Action::Refuse, "kurvix: unbekannte Option „fly“\n"},
    {"MissingValue", {"-platform"}, Action::Refuse, "kurvix: nach „-platform“ fehlt ein Wert\n"},
    {"UnexpectedValue", {"--help=3"}, Action::Refuse, "kurvix: „--help“ nimmt keinen Wert\n"},
    {"FileArgument", {"Kurve.pdf"}, Action::Refuse, "kurvix: unerwartetes Argument „Kurve.pdf“\n"},
    {"FileArgumentInEnglish", {"Kurve.pdf"}, Action::Refuse, "kurvix: unexpected argument 'Kurve.pdf'\n", false},
};
INSTANTIATE_TEST_SUITE_P(Rows, Reading, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

// An answer that cannot be written ends with status 1 and says so on standard error.
TEST(Answer, FailsWhereTheOutputCannotBeWritten)
{
    std::FILE* full = std::fopen("/dev/full", "w");
    std::FILE* err = std::tmpfile();
    ASSERT_TRUE(full && err);
    EXPECT_EQ(answer({Action::Refuse, QStringLiteral("kurvix: unbekannte Option „fly“\n")}, stdout, err, true), 1);
    EXPECT_EQ(answer({Action::PrintVersion, QStringLiteral("kurvix 1.00\n")}, full, err, true), 1);
    std::rewind(err);
    char said[400] = {};
    EXPECT_EQ(std::string(said, std::fread(said, 1, sizeof said, err)),
              "kurvix: unbekannte Option „fly“\nkurvix: Ausgabe nicht möglich: " + std::string(std::strerror(ENOSPC)) +
                  "\n");
    std::fclose(full);
    std::fclose(err);
}

} // namespace
} // namespace kurvix::ui
