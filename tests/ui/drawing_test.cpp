#include "drawing/drawing_export.h"
#include "drawing/whole_file.h"
#include "ui/printing.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kurvix::ui {
namespace {

using namespace drawing;

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "(unreadable)";
}

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
    {"UnknownSuffixKeptFilterAdded", "/a/Kurve.txt", FileFormat::Pdf, "/a/Kurve.txt.pdf", FileFormat::Pdf},
    {"TrailingDotAddsNoEmptySuffix", "/a/Punkt.", FileFormat::Pdf, "/a/Punkt.pdf", FileFormat::Pdf},
    {"TrailingSpaceAfterASuffix", "/a/Leer.pdf ", FileFormat::Png, "/a/Leer.pdf", FileFormat::Pdf},
};
INSTANTIATE_TEST_SUITE_P(Rows, SaveTargetChoice, ::testing::ValuesIn(kTargets), rowName);

// Runs the write with the process's file size limit lowered, as `ulimit -f` does.
template <class Write>
std::optional<QString> withSizeLimit(rlim_t limit, Write write)
{
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit lowered{limit, before.rlim_max};
    const auto signal = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead
    setrlimit(RLIMIT_FSIZE, &lowered);
    auto result = write();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, signal);
    return result;
}

// A failed write or print says why, leaves no partial file and the earlier file as it was.
TEST(FailingWrite, SaysWhyAndLeavesTheFolderAsItWas)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Kurve.pdf"));
    ASSERT_FALSE(writeWholeFile(path, "alt"));
    Drawing drawing;
    drawing.addLine({0, 0, 100, 100}, Qt::black);
    const Sheet sheet{{528, 400}, {5.5, 4.17}};
    QPrinter printer;
    printer.setOutputFileName(path);
    QPrinter nowhere; // a PDF printer with no file to write: nothing to print on
    nowhere.setOutputFormat(QPrinter::PdfFormat);
    const QString tooLarge = QStringLiteral("Die Datei wäre größer, als hier erlaubt ist.");
    const std::pair<std::optional<QString>, QString> failures[] = {
        {withSizeLimit(4096, [&] { return writeWholeFile(path, QByteArray(100'000, 'x')); }), tooLarge},
        {withSizeLimit(512, [&] { return print(drawing, sheet, printer); }), tooLarge},
        {save(drawing, Sheet{{528, 400}, {1e-9, 1e-9}}, {path, FileFormat::Png}), // no pixels to encode
         QStringLiteral("Die Zeichnung ließ sich nicht als PNG umwandeln.")},
        {print(drawing, sheet, nowhere), QStringLiteral("Die Kurve wurde nicht gedruckt: Kein Drucker ist bereit.")},
    };
    for (const auto& [failure, reason] : failures)
        EXPECT_TRUE(failure && failure->endsWith(reason)) << failure.value_or("written").toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"Kurve.pdf"});
    EXPECT_EQ(contents(path), "alt");
}

struct PrintCase {
    const char* name;
    const char* printer;
    PrintAnswer answer;
    std::optional<std::string> message;
};

class PrintMessage : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintMessage, SaysWhyTheCurveWasNotPrintedInCupssOwnWords)
{
    const auto& c = GetParam();
    const auto message = printMessage(QString::fromUtf8(c.printer), c.answer);
    EXPECT_EQ(message ? std::optional(message->toStdString()) : std::nullopt, c.message);
}

using Stage = PrintAnswer::Stage;
constexpr auto kNo = std::nullopt;
const std::string kNotPrinted = "Die Kurve wurde nicht gedruckt: ";
// clang-format off
const PrintCase kPrints[] = {
    {"Printed", "Laser", {Stage::HandedOver, kNo, kNo}, kNo},
    {"NoPrinter", "", {Stage::NotStarted, kNo, kNo}, kNotPrinted + "Kein Drucker ist bereit."},
    {"PrinterNotReady", "Laser", {Stage::NotStarted, kNo, kNo}, kNotPrinted + "Der Drucker „Laser“ ist nicht bereit."},
    {"StoppedNoReason", "Laser", {Stage::NotStarted, kNo, ""}, kNotPrinted + "Der Drucker „Laser“ ist angehalten."},
    {"JobNotHandedOver", "Laser", {Stage::NotHandedOver, kNo, kNo},
     kNotPrinted + "Der Drucker „Laser“ hat sie nicht angenommen."},
    {"RefusedInCupssWords", "Laser", {Stage::HandedOver, " Die Warteschlange nimmt keine Aufträge an. ", kNo},
     kNotPrinted + "Der Drucker „Laser“ nimmt sie nicht an (Die Warteschlange nimmt keine Aufträge an)."},
    {"HeldInAStoppedQueue", "Laser", {Stage::HandedOver, kNo, "Papierstau."},
     "Die Kurve wird noch nicht gedruckt: Der Drucker „Laser“ ist angehalten: Papierstau."},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, PrintMessage, ::testing::ValuesIn(kPrints), rowName);

// Through a link, keeping the replaced file's mode, and its owner and group where the user may give them.
TEST(WholeFile, ReplacesAnEarlierFileOnlyWhenCompleteKeepingItsOwnerAndMode)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Kurve.svg"));
    const QString link = folder.filePath(QStringLiteral("Verweis.svg"));
    EXPECT_FALSE(writeWholeFile(path, "alt").has_value());
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0604), 0); // not what a new file gets
    const uid_t nobody = geteuid() == 0 ? 65534 : geteuid();
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), nobody, nobody == 65534 ? 65534 : getegid()), 0);

    EXPECT_FALSE(writeWholeFile(link, "neu").has_value());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);
    EXPECT_EQ(contents(path), "neu");
    struct stat now = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &now), 0);
    EXPECT_EQ(now.st_mode & 07777, 0604U);
    EXPECT_EQ(now.st_uid, nobody);
}

} // namespace
} // namespace kurvix::ui
