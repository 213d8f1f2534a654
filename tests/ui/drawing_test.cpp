#include "drawing_export.h"
#include "whole_file.h"
#include "window_placement.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace kurvix::ui {
namespace {

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

struct TargetCase {
    const char* name;
    const char* chosen;
    FileFormat filter;
    const char* path;
    FileFormat format;
};

class SaveTargetChoice : public ::testing::TestWithParam<TargetCase> {};

TEST_P(SaveTargetChoice, TypedSuffixDecidesOtherwiseTheFilter)
{
    const auto& c = GetParam();
    const SaveTarget target = saveTarget(QString::fromUtf8(c.chosen), c.filter);
    EXPECT_EQ(target.path.toStdString(), c.path);
    EXPECT_EQ(target.format, c.format);
}

const TargetCase kTargets[] = {
    {"TypedSuffixOverTheFilter", "/a/Kurve.svg", FileFormat::Pdf, "/a/Kurve.svg", FileFormat::Svg},
    {"SuffixInCapitals", "/a/K.PNG", FileFormat::Svg, "/a/K.PNG", FileFormat::Png},
    {"NoSuffixTakesTheFilters", "/a/Kurve", FileFormat::Png, "/a/Kurve.png", FileFormat::Png},
    {"UnknownSuffixKeptFilterAdded", "/a/Kurve.txt", FileFormat::Pdf, "/a/Kurve.txt.pdf", FileFormat::Pdf},
};
INSTANTIATE_TEST_SUITE_P(Rows, SaveTargetChoice, ::testing::ValuesIn(kTargets), rowName);

// Runs the write with the process's file size limit lowered, as `ulimit -f` does.
std::optional<QString> writeWithSizeLimit(const QString& path, const QByteArray& bytes, rlim_t limit)
{
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = before;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
    auto result = writeWholeFile(path, bytes);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    return result;
}

struct FailingWriteCase {
    const char* name;
    std::function<QString(const QString& folder)> path; // in a fresh folder holding "Kurve.pdf" = "alt"
    rlim_t sizeLimit;
    const char* reason;
};

class FailingWrite : public ::testing::TestWithParam<FailingWriteCase> {};

// A failed write says why, leaves no partial file and the earlier file as it was.
TEST_P(FailingWrite, SaysWhyAndLeavesTheFolderAsItWas)
{
    const auto& c = GetParam();
    QTemporaryDir folder;
    QFile earlier(folder.filePath(QStringLiteral("Kurve.pdf")));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("alt") == 3);
    earlier.close();
    QDir(folder.path()).mkdir(QStringLiteral("Ordner"));

    const auto failure = writeWithSizeLimit(c.path(folder.path()), QByteArray(100'000, 'x'), c.sizeLimit);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->toStdString(), c.reason);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              (QStringList{QStringLiteral("Kurve.pdf"), QStringLiteral("Ordner")}));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "alt");
}

const FailingWriteCase kFailingWrites[] = {
    {"DiskFull", [](const QString& f) { return f + "/Kurve.pdf"; }, 4096,
     "Die Datei wäre größer, als hier erlaubt ist."},
    {"NameOfAFolder", [](const QString& f) { return f + "/Ordner"; }, RLIM_INFINITY,
     "Unter diesem Namen gibt es schon einen Ordner."},
    // Root may write there, but no file can be made; anyone else may not write there.
    {"FolderWhereNothingCanBeCreated", [](const QString&) { return QStringLiteral("/proc/Kurve.pdf"); }, RLIM_INFINITY,
     geteuid() == 0 ? "Dort kann keine Datei angelegt werden." : "Dort darf nicht geschrieben werden."},
    {"MissingFolder", [](const QString& f) { return f + "/fehlt/Kurve.pdf"; }, RLIM_INFINITY,
     "Diesen Ordner gibt es nicht."},
};
INSTANTIATE_TEST_SUITE_P(Rows, FailingWrite, ::testing::ValuesIn(kFailingWrites), rowName);

TEST(WholeFile, ReplacesAnEarlierFileOnlyWhenComplete)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Kurve.svg"));
    EXPECT_FALSE(writeWholeFile(path, "alt").has_value());
    EXPECT_FALSE(writeWholeFile(path, "neu").has_value());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "neu");
}

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
INSTANTIATE_TEST_SUITE_P(Rows, Placement, ::testing::ValuesIn(kPlacements), rowName);

} // namespace
} // namespace kurvix::ui
