#include "drawing/whole_file.h"
#include "support/answering.h"
#include "ui/plot_window.h"
#include "ui/plotting_area_widget.h"
#include "ui/printing.h"
#include "ui/termination.h"
#include "ui/window_placement.h"

#include <gtest/gtest.h>

#include <QAbstractFileIconProvider>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <sys/stat.h>

namespace kurvix::ui {
namespace {

using namespace drawing;

double example(double x) { return 0.25 * std::pow(x, 4) - 2 * x * x + 2; }

// The window, its parts found by the object names automation uses.
class PlotWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        area().installEventFilter(&painted);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    PlottingAreaWidget& area() { return *window.findChild<PlottingAreaWidget*>(QStringLiteral("Picture1")); }
    QLineEdit& field(int n) { return *window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)); }
    QLabel& status() { return *window.findChild<QLabel*>(QStringLiteral("lblinfo")); }
    QComboBox& unitBox() { return *window.findChild<QComboBox*>(QStringLiteral("Combo1")); }
    void press() { QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("Command1")), Qt::LeftButton); }

    // Whether the screen has the colour within a logical pixel of where (x, y) lands,
    // x and y in the unit the test expects, y upward from the centre.
    [[nodiscard]] bool inkAt(double x, double y, QRgb colour = qRgb(0, 0, 0))
    {
        const QImage shown = area().grab().toImage();
        const double ppu = window.logicalDpiX() / unitsPerInch;
        const int dpr = static_cast<int>(std::ceil(shown.devicePixelRatio()));
        const QPoint at(static_cast<int>(std::floor(x * ppu + area().width() / 2.0)),
                        static_cast<int>(std::floor(area().height() / 2.0 - y * ppu)));
        for (int dy = -dpr; dy <= dpr; ++dy)
            for (int dx = -dpr; dx <= dpr; ++dx)
                if (const QPoint p = at * dpr + QPoint(dx, dy); shown.rect().contains(p) && shown.pixel(p) == colour)
                    return true;
        return false;
    }

    // What of the area was painted on screen (a grab paints anew).
    struct Painted : QObject {
        QRegion region;
        bool eventFilter(QObject*, QEvent* event) override
        {
            region += event->type() == QEvent::Paint ? static_cast<QPaintEvent*>(event)->region() : QRegion();
            return false;
        }
    } painted;
    double unitsPerInch = 2.54;
    PlotWindow window;
};

TEST_F(PlotWindowTest, StartsLaidOutInTwipsWithFocusOnTheArea)
{
    const auto px = [&](int twips) { return static_cast<int>(std::lround(twips * window.logicalDpiX() / 1440.0)); };
    EXPECT_EQ(window.rect(), QRect(0, 0, px(8205), px(8010))); // 1440 twips to the inch
    EXPECT_EQ(area().geometry(), QRect(px(120), px(120), px(7920), px(6000)));
    EXPECT_EQ(field(10).geometry(), QRect(px(5400), px(6600), px(255), px(285)));
    for (int n = 2; n <= 10; ++n) // the exponents raised, the fields in reading order
        EXPECT_TRUE((field(n).y() < field(1).y()) == (n % 3 == 0) && field(n).x() > field(n - 1).x()) << n;
    EXPECT_EQ(window.focusWidget(), &area());
    EXPECT_TRUE(unitBox().isAncestorOf(window.childAt(unitBox().geometry().center()))); // in front of the area
    EXPECT_EQ(unitBox().currentIndex(), -1);

    for (int stop = 0; stop <= 12; ++stop) { // Tab: the button, the ten fields, the unit box, the area again
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString next = stop == 0 ? "Command1" : stop == 11 ? "Combo1" : stop == 12 ? "Picture1" : "Text%1";
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next.arg(stop));
    }
    QTest::keyClick(unitBox().lineEdit(), Qt::Key_Return); // a typed unit is not added to the list
    EXPECT_EQ(unitBox().count(), 3);
    EXPECT_EQ(windowPosition({48, 32, 640, 480}, {547, 534}), QPoint(48, 32)); // a screen too small: its top left
    // Centred on the screen, as far as it was known before it was shown: without the window system's frame.
    const QRect screen = window.screen()->availableGeometry();
    const QPoint margin = window.frameGeometry().topLeft() - screen.topLeft();
    EXPECT_LE(std::abs(2 * margin.x() + window.width() - screen.width()), 1);
    EXPECT_LE(std::abs(2 * margin.y() + window.height() - screen.height()), 1);
}

// Also run under LANG=C and at twice the pixel density.
TEST_F(PlotWindowTest, PressPlotsTheExampleWithItsCrossAndProgressInTheLocale)
{
    PlottingArea& surface = area(); // points however far away draw nothing
    for (const float v : {1e30F, -1e30F, std::numeric_limits<float>::quiet_NaN()}) {
        surface.setPoint({v, 1});
        surface.setPoint({1, v});
        surface.drawLine({v, v}, {-v, 2}, {12, 0, 0});
        surface.setTextX(v);
        surface.writeNumber(7);
    }
    EXPECT_TRUE(area().drawing().operations().empty());

    press();
    const QString point = qgetenv("LANG").startsWith("de") ? "," : "."; // the locale's
    EXPECT_TRUE(
        area().accessibleDescription().startsWith("Maßstab cm, 6133 Punkte. Nullstellen bei -2" + point + "61; "))
        << area().accessibleDescription().toStdString();

    EXPECT_TRUE(inkAt(-6.5, 0, qRgb(12, 0, 0)) && inkAt(6.5, 0, qRgb(12, 0, 0)) && inkAt(0, -5, qRgb(12, 0, 0)));
    for (const double x : {-2.9, -2.0, 0.0, 0.7, 2.8})
        EXPECT_TRUE(inkAt(x, example(x))) << "x=" << x;

    // What leaves the window is painted from the same list as what was drawn during the run.
    const QImage shown = area().grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage fromList(shown.size(), QImage::Format_RGB32);
    fromList.setDevicePixelRatio(shown.devicePixelRatio());
    fromList.fill(area().background());
    QPainter painter(&fromList);
    area().drawing().paint(painter);
    painter.end();
    EXPECT_EQ(fromList, shown);

    // Each field reaches the plot as itself: ten different texts, one curve -0.5x^3 + 0.75 - 5/6 x - 2.
    const char* texts[] = {"-1", "2", "3", "6", "8", "0", "5", "-6", "1", "-2"};
    for (int n = 1; n <= 10; ++n)
        field(n).setText(QString::fromLatin1(texts[n - 1]));
    press();
    for (const double x : {-2.0, -1.0, 0.0, 1.5})
        EXPECT_TRUE(inkAt(x, -0.5 * x * x * x - 5.0 / 6 * x - 1.25)) << "x=" << x;

    for (const auto& [unit, perInch] : {std::pair("mm", 25.4), std::pair("Zoll", 1.0)}) {
        unitBox().setEditText(QString::fromUtf8(unit));
        unitsPerInch = perInch;
        painted.region = {};
        press();
        QCoreApplication::processEvents(); // the last frame the run presented
        EXPECT_TRUE(painted.region.contains(area().rect().center()) && inkAt(0, -1.25) && !inkAt(0, -0.25)) << unit;
    }
}

// What a screen reader reaches in-process: the area's actions, the fields' descriptions, the unit box by its
// own name.
TEST_F(PlotWindowTest, ScreenReaderInvokesTheAreasActionsAndHearsTheUnitBoxByName)
{
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(&unitBox());
    unitBox().setEditText(QStringLiteral("mm"));
    EXPECT_EQ(box->text(QAccessible::Name) + " " + box->text(QAccessible::Value), "Maßstab mm");
    for (int i = 0; i < box->childCount(); ++i)
        EXPECT_EQ(box->indexOfChild(box->child(i)), i);
    EXPECT_EQ(box->focusChild()->object(), unitBox().lineEdit());
    EXPECT_EQ(
        field(6).accessibleDescription() + " | " + field(10).accessibleDescription(),
        "Der Exponent e2 in f(x) = a1·x^e1 + a2·x^e2 + a3·x^e3 + d | Die Konstante d in f(x) = a1·x^e1 + a2·x^e2 + "
        "a3·x^e3 + d");

    QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(&area())->actionInterface();
    EXPECT_EQ(actions->actionNames().mid(0, 4).join('|').toStdString(), // the end-to-end test invokes them
              "Kopieren|Speichern unter…|Drucken…|Kurvendiskussion…");
    EXPECT_EQ(actions->keyBindingsForAction(QStringLiteral("Drucken…")), QStringList{"Ctrl+P"});
    QStringList opened;
    const auto answer = testing::answering([&](QWidget& menu) {
        opened << QString::fromLatin1(menu.metaObject()->className());
        menu.close();
    });
    QTest::keyClick(&area(), Qt::Key_A, Qt::ShiftModifier); // neither opens the menu
    QTest::keyClick(&area(), Qt::Key_F10);
    EXPECT_TRUE(opened.isEmpty());
    QTest::keyClick(&area(), Qt::Key_F10, Qt::ShiftModifier); // as the Menu key does
    EXPECT_EQ(opened, QStringList{"QMenu"});
}

// The discussion's window follows each run; a chosen row is ringed on screen, Ctrl+C copies the rows.
TEST_F(PlotWindowTest, DiscussionWindowFollowsRunsRingsItsPointsAndCopiesItsRows)
{
    press();
    QTest::keyClick(&area(), Qt::Key_F2);
    auto* table = window.findChild<QDialog*>(QStringLiteral("Kurvendiskussion"))->findChild<QTableWidget*>();
    ASSERT_TRUE(table && table->isVisible());
    table->selectRow(5); // Tiefpunkt (-2 | -2)
    const QRgb ring = window.palette().color(QPalette::Highlight).rgb();
    const double radius = 7 / (window.logicalDpiX() / 2.54); // in cm
    EXPECT_TRUE(inkAt(-2 - radius, -2, ring) && !inkAt(2 - radius, -2, ring));
    QAction* copy = table->actions().value(0); // Ctrl+C where the table has the keyboard
    ASSERT_TRUE(copy && copy->shortcut() == QKeySequence(QKeySequence::Copy));
    copy->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("Art\tx\ty\nNullstelle\t-2,61\t0\n"))
        << QGuiApplication::clipboard()->text().toStdString();
    field(3).setText(QStringLiteral("3")); // 1/4 x³ - 2x² + 2: two zeros, a high and a turning point
    press();
    EXPECT_EQ(table->rowCount(), 4);
    table->selectRow(0);
    table->window()->close(); // the ring goes with the window
    EXPECT_FALSE(inkAt(-2 - radius, -2, ring) || inkAt(-0.95 - radius, 0, ring));
}

// A field the plot cannot read is marked when left and after a run, and unmarked as soon as it reads.
TEST_F(PlotWindowTest, MarksWhatCannotBeReadAndSaysWhy)
{
    const auto marked = [](QLineEdit& f) { // a dotted frame and a corner in the highlight colour
        return f.grab().toImage().pixel(f.width() - 1, 0) == f.palette().color(QPalette::Highlight).rgb();
    };
    const QString description = field(5).accessibleDescription();
    field(5).setText(QStringLiteral(" "));
    Q_EMIT field(5).editingFinished();
    EXPECT_EQ(field(5).toolTip().toStdString(), "Term 2, Nenner: leer");
    EXPECT_EQ(field(5).accessibleDescription(), description + QStringLiteral(". Nicht lesbar: leer"));
    EXPECT_TRUE(marked(field(5)) && !marked(field(6)));
    field(4).setText(QStringLiteral("1e300"));
    field(5).setText(QStringLiteral("1e-10")); // reads now; leaving it marks the numerator it makes too large
    EXPECT_EQ(field(5).accessibleDescription(), description);
    Q_EMIT field(5).editingFinished();
    EXPECT_EQ(field(4).toolTip().toStdString(), "Term 2, Zähler: zu groß");

    for (const auto& [n, text] : {std::pair(6, "x"), std::pair(9, ""), std::pair(10, "abc")}) // typed, not left
        field(n).setText(QString::fromLatin1(text));
    EXPECT_EQ(field(10).toolTip().toStdString(), "Konstante");
    QString described; // after a press nested in the run, which goes on: the two statements in one
    QTimer::singleShot(0, &window, [&] { press(), described = area().accessibleDescription(); });
    press();
    EXPECT_EQ(field(10).toolTip().toStdString(), "Konstante: keine Zahl");
    // Too long for the status line: shortened there, whole in its tooltip and to a screen reader.
    const QString whole = status().accessibleName();
    EXPECT_EQ(whole.toStdString(), "Fertig... Nicht lesbar: Term 2, Zähler (zu groß); Term 2, Exponent (keine Zahl); "
                                   "Term 3, Exponent (leer); Konstante (keine Zahl)");
    EXPECT_TRUE(status().text().endsWith(u'…') && whole.startsWith(status().text().chopped(1)) &&
                status().toolTip() == whole)
        << status().text().toStdString();
    field(5).setText(QStringLiteral("1")); // the numerator's mark goes with its cause
    EXPECT_EQ(field(4).toolTip().toStdString(), "Term 2, Zähler");

    EXPECT_TRUE(described.startsWith("Wird gezeichnet. ")) << described.toStdString();
}

// Asks under the name it will write, never replaces what is not a file, opens next where it saved.
TEST_F(PlotWindowTest, SavingAsksUnderTheNameItWritesAndOpensWhereItSaved)
{
    QTemporaryDir folder;
    const QString earlier = folder.filePath(QStringLiteral("Kurve.pdf"));
    const QString pipe = folder.filePath(QStringLiteral("Rohr.pdf"));
    const QString image = folder.filePath(QStringLiteral("Bild")); // its content says PNG, its name nothing
    ASSERT_TRUE(!writeWholeFile(earlier, "alt") && !writeWholeFile(image, "\x89PNG\r\n\x1a\n") &&
                ::mkfifo(QFile::encodeName(pipe), 0600) == 0);

    // Each dialog is given a name, the last two say where they opened; the boxes are answered No, OK, Yes.
    const QStringList typed{folder.filePath(". . ."), folder.filePath("Kurve"), pipe, folder.filePath("Kurve")};
    QStringList boxes, opened;
    QString listedType;
    const auto answer = testing::answering([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            boxes << box->text();
            box->button(std::array{QMessageBox::No, QMessageBox::Ok, QMessageBox::Yes}.at(boxes.size() - 1))->click();
        } else if (dialog && (opened << dialog->directory().absolutePath()).size() > typed.size()) {
            dialog->reject();
        } else if (dialog) {
            listedType = dialog->iconProvider()->type(QFileInfo(image));
            dialog->selectNameFilter(filterText(FileFormat::Pdf));
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setText(typed[opened.size() - 1]);
            QTest::keyClick(name, Qt::Key_Return);
        }
    });
    for (int save = 0; save < 3; ++save)
        area().actions().at(1)->trigger(); // "Speichern unter…"
    const QString replace = QStringLiteral("„%1“ existiert bereits.\nSoll die Datei ersetzt werden?").arg(earlier);
    EXPECT_EQ(boxes, QStringList({replace,
                                  "„" + pipe +
                                      "“ wurde nicht gespeichert. Unter diesem Namen gibt es schon "
                                      "etwas anderes als eine Datei.",
                                  replace}));
    EXPECT_EQ(opened.mid(3), QStringList({QDir::homePath(), folder.path()})); // a failed save leaves the folder
    EXPECT_EQ(listedType, QMimeDatabase().mimeTypeForName("application/octet-stream").comment()); // content unread
    QFile file(earlier);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.read(4) == "%PDF" && !QFileInfo(pipe).isFile());
    EXPECT_EQ(
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 3)
        << "a file named only by its suffix";
}

// The page of a PNG (its pixels and density), an SVG (its width and height) or a PDF in mm;
// for a PDF also how far apart the x axis' labels 0 and 5 stand, as pdftotext reads them.
std::pair<QSizeF, double> measured(const QString& path)
{
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (const QImage png = QImage::fromData(bytes, "png"); !png.isNull())
        return {QSizeF(png.width() * 1000.0 / png.dotsPerMeterX(), png.height() * 1000.0 / png.dotsPerMeterY()), 0};
    if (!bytes.startsWith("%PDF")) {
        const auto svg = QRegularExpression(R"re(width="([\d.]+)mm" height="([\d.]+)mm")re").match(bytes);
        return {QSizeF(svg.captured(1).toDouble(), svg.captured(2).toDouble()), 0};
    }
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {"-bbox", path, "-"});
    reader.waitForFinished();
    const QString layout = QString::fromUtf8(reader.readAllStandardOutput());
    const auto page = QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(layout);
    double zero = 1e9;
    double five = 0;
    for (const auto& word : QRegularExpression(R"re(xMin="([\d.]+)"[^>]*>([05])<)re").globalMatch(layout)) {
        const double x = word.captured(1).toDouble();
        word.captured(2) == "0" ? zero = std::min(zero, x) : five = std::max(five, x);
    }
    const double mm = 25.4 / 72;
    return {QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble()) * mm, (five - zero) * mm};
}

// 1 cm in the window is 1 cm on the page: saved, and printed to a file, where a small paper shrinks the drawing
// to fit (the end-to-end test prints through CUPS at true scale).
TEST_F(PlotWindowTest, TheDrawingLeavesTheWindowAtTrueScale)
{
    press();
    const Sheet sheet{area().size(), area().sizeInInches(), area().background()};
    QTemporaryDir folder;
    for (const char* name : {"Kurve.pdf", "Kurve.svg", "Kurve.png"})
        ASSERT_FALSE(save(area().drawing(), sheet, saveTarget(folder.filePath(name), FileFormat::Png)));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(folder.filePath(QStringLiteral("A6.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A6));
    ASSERT_FALSE(print(area().drawing(), sheet, printer));
    const QImage png(folder.filePath(QStringLiteral("Kurve.png")));
    EXPECT_EQ(png.pixel(png.width() - 1, 0), sheet.background.rgb()); // the background to the edge
    // The page in mm; where labels can be read, how far apart 0 and 5 stand. A6 is 297 points wide: 104.775 mm,
    // which holds 104.775 / 139.7 of the drawing's width.
    const std::tuple<const char*, QSizeF, double> pages[] = {{"Kurve.pdf", {139.7, 105.8}, 50},
                                                             {"Kurve.svg", {139.7, 105.8}, 0},
                                                             {"Kurve.png", {139.7, 105.8}, 0},
                                                             {"A6.pdf", {104.8, 148.2}, 37.5}};
    for (const auto& [name, size, fiveCm] : pages) {
        const auto [page, labels] = measured(folder.filePath(QString::fromUtf8(name)));
        EXPECT_NEAR(page.width(), size.width(), 0.1) << name;
        EXPECT_NEAR(page.height(), size.height(), 0.1) << name;
        EXPECT_NEAR(labels, fiveCm, 0.05) << name;
    }
}

TEST(Termination, FirstRequestClosesTheWindowKeepsErrnoAndLeavesTheNextToTheSystem)
{
    catchTermination();
    QWidget window;
    window.show();
    closeOnTermination(window);
    errno = EDOM;
    std::raise(SIGTERM);
    EXPECT_EQ(errno, EDOM);
    struct sigaction now = {};
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }));
}

} // namespace
} // namespace kurvix::ui

// Widget tests run without a screen unless a platform is chosen explicitly.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
