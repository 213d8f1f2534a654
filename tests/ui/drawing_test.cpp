#include "drawing/drawing_export.h"
#include "drawing/whole_file.h"
#include "ui/printing.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kurvix::ui {
namespace {

using namespace drawing;

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
    {"TrailingDotAddsNoEmptySuffix", "/a/Punkt.", FileFormat::Pdf, "/a/Punkt.pdf", FileFormat::Pdf},
    {"TrailingSpaceAfterASuffix", "/a/Leer.pdf ", FileFormat::Png, "/a/Leer.pdf", FileFormat::Pdf},
};
INSTANTIATE_TEST_SUITE_P(Rows, SaveTargetChoice, ::testing::ValuesIn(kTargets), rowName);

// Runs the write with the process's file size limit lowered, as `ulimit -f` does.
std::optional<QString> withSizeLimit(rlim_t limit, const std::function<std::optional<QString>()>& write)
{
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = before;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
    auto result = write();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    return result;
}

enum class Way { Write, PrintToFile, SaveAnEmptyImage };

struct FailingWriteCase {
    const char* name;
    const char* file; // in a fresh folder holding "Kurve.pdf" = "alt" and "Ordner", unless absolute
    Way way;
    rlim_t sizeLimit;
    const char* reason;    // the end of the message
    bool readOnly = false; // the earlier file
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
    earlier.setPermissions(c.readOnly ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
    QDir(folder.path()).mkdir(QStringLiteral("Ordner"));
    const QString path = QDir(folder.path()).filePath(QString::fromUtf8(c.file));

    Drawing drawing;
    drawing.addLine({0, 0, 100, 100}, Qt::black);
    const auto failure = withSizeLimit(c.sizeLimit, [&]() -> std::optional<QString> {
        switch (c.way) {
        case Way::Write: return writeWholeFile(path, QByteArray(100'000, 'x'));
        case Way::PrintToFile: {
            QPrinter printer;
            printer.setOutputFileName(path);
            return print(drawing, Sheet{{528, 400}, {5.5, 4.17}}, printer);
        }
        case Way::SaveAnEmptyImage: return save(drawing, Sheet{{528, 400}, {1e-9, 1e-9}}, {path, FileFormat::Png});
        }
        return std::nullopt;
    });
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->endsWith(QString::fromUtf8(c.reason))) << failure->toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              (QStringList{QStringLiteral("Kurve.pdf"), QStringLiteral("Ordner")}));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "alt");
}

const FailingWriteCase kFailingWrites[] = {
    {"FileSizeLimit", "Kurve.pdf", Way::Write, 4096, "Die Datei wäre größer, als hier erlaubt ist."},
    {"PrintToAFileOnAFullDisk", "Kurve.pdf", Way::PrintToFile, 512, "Die Datei wäre größer, als hier erlaubt ist."},
    {"ImageThatCannotBeEncoded", "Kurve.pdf", Way::SaveAnEmptyImage, RLIM_INFINITY,
     "Die Zeichnung ließ sich nicht als PNG umwandeln."},
    {"NameOfAFolder", "Ordner", Way::Write, RLIM_INFINITY, "Unter diesem Namen gibt es schon einen Ordner."},
    {"ReadOnlyFile", "Kurve.pdf", Way::Write, RLIM_INFINITY, "Dort darf nicht geschrieben werden.", true},
    // Root may write there, but no file can be made; anyone else may not write there.
    {"FolderWhereNothingCanBeCreated", "/proc/Kurve.pdf", Way::Write, RLIM_INFINITY,
     geteuid() == 0 ? "Dort kann keine Datei angelegt werden." : "Dort darf nicht geschrieben werden."},
    {"MissingFolder", "fehlt/Kurve.pdf", Way::Write, RLIM_INFINITY, "Diesen Ordner gibt es nicht."},
};
// Root may write a read-only file: that row is a user's only.
std::vector<FailingWriteCase> failingWritesForThisUser()
{
    std::vector<FailingWriteCase> rows;
    std::copy_if(std::begin(kFailingWrites), std::end(kFailingWrites), std::back_inserter(rows),
                 [](const FailingWriteCase& c) { return !c.readOnly || geteuid() != 0; });
    return rows;
}
INSTANTIATE_TEST_SUITE_P(Rows, FailingWrite, ::testing::ValuesIn(failingWritesForThisUser()), rowName);

// A printer that cannot start a page is named as not ready, and nothing is written.
TEST(Printing, APrinterThatCannotStartSaysSo)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat); // with no file to write: nothing to print on
    const auto failure = print(Drawing{}, Sheet{{528, 400}, {5.5, 4.17}}, printer);
    EXPECT_EQ(failure.value_or("").toStdString(), "Die Kurve wurde nicht gedruckt: Kein Drucker ist bereit.");
}

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
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "neu");
    struct stat now = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &now), 0);
    EXPECT_EQ(now.st_mode & 07777, 0604U);
    EXPECT_EQ(now.st_uid, nobody);
}

} // namespace
} // namespace kurvix::ui
