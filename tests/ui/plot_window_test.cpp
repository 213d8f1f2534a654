#include "support/fakes.h"
#include "ui/plot_runs.h"
#include "ui/plot_window.h"
#include "ui/plotting_area_widget.h"
#include "ui/printing.h"
#include "ui/termination.h"

#include <gtest/gtest.h>

#include <QAbstractFileIconProvider>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMimeDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <functional>
#include <sys/stat.h>

namespace kurvix::ui {
namespace {

using namespace drawing;

const auto rowName = [](const auto& info) { return std::string(info.param.name); };
const QString kActions = QStringLiteral(". Im Kontextmenü: Kopieren, Speichern unter, Drucken.");

double example(double x) { return 0.25 * std::pow(x, 4) - 2 * x * x + 2; }

// Answers each modal box or menu as soon as it shows.
class Answering : public QTimer {
public:
    explicit Answering(std::function<void(QWidget&)> answer) : answer_(std::move(answer))
    {
        connect(this, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                   : QApplication::activePopupWidget())
                answer_(*modal);
        });
        start(1);
    }

private:
    std::function<void(QWidget&)> answer_;
};

// The window found by the object names automation uses.
class PlotWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <class Part = QWidget>
    Part& part(const QString& name)
    {
        auto* found = window.findChild<Part*>(name);
        EXPECT_TRUE(found) << name.toStdString();
        return *found;
    }
    PlottingAreaWidget& area() { return part<PlottingAreaWidget>(QStringLiteral("Picture1")); }
    QLineEdit& field(int n) { return part<QLineEdit>(QStringLiteral("Text%1").arg(n)); }
    QLabel& status() { return part<QLabel>(QStringLiteral("lblinfo")); }
    QComboBox& unitBox() { return part<QComboBox>(QStringLiteral("Combo1")); }
    QAction& action(const QString& text)
    {
        const auto actions = area().actions();
        return **std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return a->text() == text; });
    }
    void press() { QTest::mouseClick(&part(QStringLiteral("Command1")), Qt::LeftButton); }

    // Whether a pixel within one logical pixel of where (x, y) lands on screen
    // has the colour; x and y in the unit the test expects, y upward from the centre.
    [[nodiscard]] bool inkAt(const QImage& shown, double x, double y, QRgb colour = qRgb(0, 0, 0)) const
    {
        const double ppu = window.logicalDpiX() / unitsPerInch;
        const int dpr = static_cast<int>(std::ceil(shown.devicePixelRatio()));
        const QSizeF size = shown.deviceIndependentSize();
        const QPoint at(static_cast<int>(std::floor(x * ppu + size.width() / 2)),
                        static_cast<int>(std::floor(size.height() / 2 - y * ppu)));
        for (int dy = -dpr; dy <= dpr; ++dy)
            for (int dx = -dpr; dx <= dpr; ++dx)
                if (const QPoint p = at * dpr + QPoint(dx, dy); shown.rect().contains(p) && shown.pixel(p) == colour)
                    return true;
        return false;
    }
    [[nodiscard]] QImage shown() { return area().grab().toImage(); }

    // The status line and the area's description as shown while a press runs;
    // the first looks take a while each, so that the run spans several frames
    // however fast it is.
    void pressWatching(QStringList& statuses, QStringList& descriptions)
    {
        QTimer sample;
        QObject::connect(&sample, &QTimer::timeout, [&] {
            statuses << status().text();
            descriptions << area().accessibleDescription();
            if (statuses.size() <= 12)
                QThread::msleep(5);
        });
        sample.start(2);
        press();
    }

    double unitsPerInch = 2.54;
    PlotWindow window;
};

TEST_F(PlotWindowTest, StartsLaidOutInTwipsWithFocusOnTheArea)
{
    const auto twips = [&](int l, int t, int w, int h) { // 1440 twips to the inch
        const auto px = [&](int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); };
        const int x = window.logicalDpiX();
        const int y = window.logicalDpiY();
        return QRect(px(l, x), px(t, y), px(w, x), px(h, y));
    };
    EXPECT_EQ(window.rect(), twips(0, 0, 8205, 8010));
    EXPECT_EQ(area().geometry(), twips(120, 120, 7920, 6000));
    EXPECT_EQ(field(10).geometry(), twips(5400, 6600, 255, 285));
    EXPECT_EQ(window.focusWidget(), &area());
    EXPECT_TRUE(unitBox().isAncestorOf(window.childAt(unitBox().geometry().center()))); // in front of the area
    EXPECT_EQ(unitBox().currentIndex(), -1);

    std::vector<QWidget*> tabOrder{&part(QStringLiteral("Command1"))};
    for (int n = 1; n <= 10; ++n)
        tabOrder.push_back(&field(n));
    tabOrder.insert(tabOrder.end(), {&unitBox(), &area()});
    for (QWidget* next : tabOrder) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    QTest::keyClick(unitBox().lineEdit(), Qt::Key_Return); // a typed unit is not added to the list
    EXPECT_EQ(unitBox().count(), 3);
    EXPECT_EQ(window.objectName(), "Form1");
    EXPECT_EQ(part<QLabel>(QStringLiteral("Label10")).text().toStdString(),
              "Beispielfunktion: (1 / 4 * x ^ 4) - (2 * x ^ 2) + 2");
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

    // The progress is shown during the run, in the environment's locale; the
    // description never tells of the picture the run cleared away.
    QStringList statuses;
    QStringList described;
    pressWatching(statuses, described);
    EXPECT_EQ(status().text().toStdString(), "Fertig...");
    const bool german = qgetenv("LANG").startsWith("de");
    const QStringList progress = statuses.filter(QRegularExpression(QStringLiteral("^Berechnung: [0-9.,]+%$")));
    EXPECT_GE(progress.size(), 2) << statuses.join('|').toStdString();
    EXPECT_TRUE(progress.filter(german ? "," : ".").size() && !progress.filter(german ? "." : ",").size())
        << progress.join('|').toStdString();
    EXPECT_TRUE(described.contains("Wird gezeichnet" + kActions) && described.filter("Maßstab").isEmpty())
        << described.join('|').toStdString();
    EXPECT_EQ(area().accessibleDescription().toStdString(), ("Maßstab cm, 6133 Punkte" + kActions).toStdString());

    QImage image = shown();
    EXPECT_EQ(image.size(), area().size() * area().devicePixelRatio());
    const QRgb axis = qRgb(12, 0, 0);
    EXPECT_TRUE(inkAt(image, -6.5, 0, axis) && inkAt(image, 6.5, 0, axis) && inkAt(image, 0, -5, axis));
    for (const double x : {-2.9, -2.0, 0.0, 0.7, 2.8})
        EXPECT_TRUE(inkAt(image, x, example(x))) << "x=" << x;
    EXPECT_FALSE(inkAt(image, 1.5, example(1.5) + 1.5));

    // Tick labels -5 .. 5 a centimetre apart: along the x axis, then up the y axis.
    QStringList labels;
    const double cm = window.logicalDpiX() / 2.54;
    const QPointF centre(area().width() / 2.0, area().height() / 2.0);
    for (const auto& operation : area().drawing().operations())
        if (const auto* label = std::get_if<Drawing::Text>(&operation)) {
            const int n = label->text.toInt();
            const QPointF want = labels.size() < 11 ? centre + QPointF(n * cm, 0) : centre - QPointF(0, n * cm);
            EXPECT_LT(QLineF(label->at, want).length(), 0.05) << label->text.toStdString();
            labels << label->text;
        }
    EXPECT_EQ(labels.join(' ').toStdString(), "-5 -4 -3 -2 -1 0 1 2 3 4 5 -5 -4 -3 -2 -1 0 1 2 3 4 5");

    // What leaves the window is painted from the same list as what was drawn during the run.
    QImage fromList(image.size(), QImage::Format_RGB32);
    fromList.setDevicePixelRatio(image.devicePixelRatio());
    fromList.fill(area().background());
    QPainter painter(&fromList);
    area().drawing().paint(painter);
    painter.end();
    EXPECT_EQ(fromList, image.convertToFormat(QImage::Format_RGB32));

    for (const auto& [unit, perInch] : {std::pair("mm", 25.4), std::pair("Zoll", 1.0)}) {
        unitBox().setEditText(QString::fromUtf8(unit));
        unitsPerInch = perInch;
        press();
        image = shown();
        EXPECT_TRUE(inkAt(image, 0, 2) && !inkAt(image, 0, 1)) << unit;
    }

    // Each field reaches the plot as itself: ten different texts, one curve -0.5x^3 + 0.75 - 5/6 x - 2.
    const char* texts[] = {"-1", "2", "3", "6", "8", "0", "5", "-6", "1", "-2"};
    for (int n = 1; n <= 10; ++n)
        field(n).setText(QString::fromLatin1(texts[n - 1]));
    unitBox().setEditText(QStringLiteral("cm"));
    unitsPerInch = 2.54;
    press();
    image = shown();
    for (const double x : {-2.0, -1.0, 0.0, 1.5})
        EXPECT_TRUE(inkAt(image, x, -0.5 * x * x * x - 5.0 / 6 * x - 1.25)) << "x=" << x;
}

// Presses from inside the innermost run's yields, the window's parts in memory.
class NestedRuns : public ::testing::Test {
protected:
    // Presses from the innermost run's next yield until runs nest `deepest` deep, then `then`.
    std::vector<std::optional<RunEnd>> pressDeeper(int deepest, const std::function<void()>& then)
    {
        std::vector<std::optional<RunEnd>> ends;
        std::function<void()> deeper = [&] {
            if (runs.depth() == deepest)
                return then();
            QTimer::singleShot(0, &window, deeper);
            ends.push_back(runs.press());
        };
        deeper();
        return ends;
    }

    testing::FakeWindow fake;
    QWidget window;
    PlotRuns runs{{fake, fake.unitBox, fake.sources(), fake}, NumberLocale::german(), window, [] {}};
};

TEST_F(NestedRuns, TheWindowGoingEndsThemAllAndLaterPressesStartNone)
{
    const auto ends = pressDeeper(8, [&] { runs.stop(); });
    EXPECT_EQ(ends, std::vector<std::optional<RunEnd>>(8, RunEnd::Stopped));
    EXPECT_EQ(runs.press(), std::nullopt);
    EXPECT_EQ(runs.depth(), 0);
    EXPECT_EQ(fake.statuses.back().rfind("Berechnung: ", 0), 0U);
}

// A run that shows the box ends the runs it interrupted, which draw nothing more.
TEST_F(NestedRuns, NothingIsDrawnAfterTheNoFunctionBox)
{
    std::size_t pointsAtTheBox = 0;
    const Answering answer([&](QWidget& box) {
        pointsAtTheBox = fake.points.size();
        box.close();
    });
    const auto ends = pressDeeper(3, [&] {
        fake.field(1).setText("");
        runs.press();
    });
    EXPECT_EQ(ends, std::vector<std::optional<RunEnd>>(3, RunEnd::NoFunction));
    EXPECT_EQ(fake.points.size(), pointsAtTheBox);
    EXPECT_EQ(runs.depth(), 0);
}

// Presses as a window system delivers them, one at each pass through the event loop: runs nest
// eight deep, a press beyond starts the innermost over, and the last run started draws its whole curve.
TEST_F(NestedRuns, AFloodOfPressesNestsEightDeepAndEndsWithTheWholeCurve)
{
    int deepest = 0;
    int left = 300;
    QTimer flood;
    QObject::connect(&flood, &QTimer::timeout, [&] {
        deepest = std::max(deepest, runs.depth());
        if (left-- > 0) // reaches the run at its next yield
            QMetaObject::invokeMethod(
                &window, [&] { runs.press(); }, Qt::QueuedConnection);
    });
    flood.start(0);
    QTRY_VERIFY_WITH_TIMEOUT(left < 0 && runs.depth() == 0, 60000);
    EXPECT_EQ(deepest, 8);
    EXPECT_EQ(fake.statuses.back(), "Fertig...");
    EXPECT_GE(fake.points.size() - fake.clearedAt.back(), 10000U);
}

// What a screen reader reaches in-process: the area's actions, the unit box by its own name.
TEST_F(PlotWindowTest, ScreenReaderInvokesTheAreasActionsAndHearsTheUnitBoxByName)
{
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(&unitBox());
    unitBox().setEditText(QStringLiteral("mm"));
    EXPECT_EQ(box->text(QAccessible::Name) + " " + box->text(QAccessible::Value), "Maßstab mm");
    for (int i = 0; i < box->childCount(); ++i)
        EXPECT_EQ(box->indexOfChild(box->child(i)), i);
    EXPECT_EQ(box->focusChild()->object(), unitBox().lineEdit());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Window);

    QAccessibleInterface* shownArea = QAccessible::queryAccessibleInterface(&area());
    EXPECT_EQ(shownArea->role(), QAccessible::Graphic);
    QAccessibleActionInterface* actions = shownArea->actionInterface();
    EXPECT_EQ(actions->actionNames().mid(0, 3).join('|').toStdString(), "Kopieren|Speichern unter…|Drucken…");
    EXPECT_EQ(actions->keyBindingsForAction(QStringLiteral("Drucken…")), QStringList{"Ctrl+P"});
    QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
    actions->doAction(QStringLiteral("Kopieren"));
    QTRY_VERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/svg+xml")));
    QStringList opened;
    const Answering answer([&](QWidget& dialog) {
        opened << QString::fromLatin1(dialog.metaObject()->className());
        dialog.close();
    });
    for (const char* name : {"Speichern unter…", "Drucken…"})
        actions->doAction(QString::fromUtf8(name));
    // Shift+F10 opens the context menu, as the Menu key does.
    QTRY_COMPARE(opened.size(), 2);
    QTest::keyClick(&area(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_COMPARE(opened, (QStringList{"QFileDialog", "QPrintDialog", "QMenu"}));
}

struct MarkCase {
    const char* name;
    int field;
    const char* text;
    const char* tooltip;
    const char* status; // after a press
    std::vector<std::pair<int, const char*>> others{};
};

class Marking : public PlotWindowTest, public ::testing::WithParamInterface<MarkCase> {};

// A field the plot cannot read is marked when left and after a run, and unmarked as soon as it reads.
TEST_P(Marking, SaysWhichFieldCannotBeReadAndWhy)
{
    const auto& c = GetParam();
    const Answering answer([](QWidget& box) { box.close(); });
    for (const auto& [other, text] : c.others)
        field(other).setText(QString::fromUtf8(text));
    QLineEdit& marked = field(c.field);
    const QString description = marked.accessibleDescription();
    marked.setText(QString::fromUtf8(c.text));
    Q_EMIT marked.editingFinished();
    EXPECT_EQ(marked.toolTip().toStdString(), c.tooltip);
    const QString problem = marked.toolTip().section(QStringLiteral(": "), 1);
    EXPECT_EQ(marked.accessibleDescription(),
              problem.isEmpty() ? description : description + QStringLiteral(". Nicht lesbar: ") + problem);
    // A dotted frame and a corner in the highlight colour.
    EXPECT_EQ(marked.grab().toImage().pixel(marked.width() * marked.devicePixelRatio() - 1, 0) ==
                  marked.palette().color(QPalette::Highlight).rgb(),
              !problem.isEmpty());
    marked.setText(QStringLiteral("3")); // readable again: the mark goes without a run
    EXPECT_EQ(marked.accessibleDescription(), description);
    marked.setText(QString::fromUtf8(c.text)); // typed, not yet left: marked by the run
    press();
    EXPECT_EQ(marked.toolTip().toStdString(), c.tooltip);
    // Shortened where it does not fit, whole in its tooltip and to a screen reader.
    const QString whole = status().accessibleName();
    EXPECT_EQ(whole.toStdString(), c.status);
    const bool fits = status().fontMetrics().horizontalAdvance(whole) <= status().contentsRect().width();
    EXPECT_TRUE(fits ? status().text() == whole && status().toolTip().isEmpty()
                     : status().text().endsWith(u'…') && whole.startsWith(status().text().chopped(1)) &&
                           status().toolTip() == whole)
        << status().text().toStdString();
    for (const auto& [other, text] : c.others) // a mark goes with the other fields that caused it
        field(other).setText(QStringLiteral("1"));
    EXPECT_TRUE(c.others.empty() || marked.toolTip() == marked.accessibleName()) << marked.toolTip().toStdString();
}

const MarkCase kMarks[] = {
    {"Readable", 2, "3", "Term 1, Nenner", "Fertig..."},
    {"Empty", 5, " ", "Term 2, Nenner: leer", "Fertig... Nicht lesbar: Term 2, Nenner (leer)"},
    {"NotANumber", 10, "abc", "Konstante: keine Zahl", "Fertig... Nicht lesbar: Konstante (keine Zahl)"},
    {"BeyondTheFixedDecimalRange", 10, "1e15", "Konstante: zu groß", "Fertig... Nicht lesbar: Konstante (zu groß)"},
    {"ZeroDenominator", 8, "0", "Term 3, Nenner: Nenner ist 0",
     "Fertig... Nicht lesbar: Term 3, Nenner (Nenner ist 0)"},
    {"FirstTermGivesTheBox", 1, "x", "Term 1, Zähler: keine Zahl", "Nichts gezeichnet: keine Funktionsgleichung"},
    {"SeveralShortenTheStatusLine",
     4,
     "1e300",
     "Term 2, Zähler: zu groß",
     "Fertig... Nicht lesbar: Term 2, Zähler (zu groß); Term 2, Exponent (keine Zahl); Term 3, Exponent (leer); "
     "Konstante (keine Zahl)",
     {{5, "1e-10"}, {6, "x"}, {9, ""}, {10, "abc"}}},
};
INSTANTIATE_TEST_SUITE_P(Rows, Marking, ::testing::ValuesIn(kMarks), rowName);

struct SaveCase {
    const char* name;
    std::vector<const char*> earlier; // files in a fresh folder <F>, each holding "alt"; "Rohr.pdf" is a pipe
    FileFormat filter;
    const char* typed;
    QMessageBox::StandardButton answer; // to a question
    const char* boxes;                  // the texts of the boxes shown
    const char* written;                // the file that now holds the drawing
};

class Saving : public PlotWindowTest, public ::testing::WithParamInterface<SaveCase> {};

// Asks about the name it will write; never replaces what is not a file; opens next where it saved.
TEST_P(Saving, AsksUnderTheNameItWritesAndOpensWhereItSaved)
{
    const auto& c = GetParam();
    QTemporaryDir folder;
    const auto in = [&](const char* text) { return QString::fromUtf8(text).replace("<F>", folder.path()); };
    for (const char* name : c.earlier) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(name == std::string("Rohr.pdf") ? ::mkfifo(QFile::encodeName(file.fileName()), 0600) == 0
                                                    : file.open(QIODevice::WriteOnly) && file.write("alt") == 3);
    }
    QFile image(folder.filePath("Bild")); // its content says PNG, its name nothing
    ASSERT_TRUE(image.open(QIODevice::WriteOnly) && image.write("\x89PNG\r\n\x1a\n") == 8);
    image.close();

    QStringList boxes;
    QString listedType;
    std::function<void(QFileDialog&)> onDialog = [&](QFileDialog& dialog) {
        listedType = dialog.iconProvider()->type(QFileInfo(image.fileName()));
        dialog.selectNameFilter(filterText(c.filter));
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(in(c.typed));
        onDialog = [](QFileDialog& again) { again.reject(); }; // reopened after "Nein"
        QTest::keyClick(name, Qt::Key_Return);
    };
    const Answering answer([&](QWidget& modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(&modal))
            onDialog(*dialog);
        else if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            boxes << box->text();
            box->button(box->standardButtons() & c.answer ? c.answer : QMessageBox::Ok)->click();
        }
    });
    action(QStringLiteral("Speichern unter…")).trigger();
    EXPECT_EQ(boxes.join('|').toStdString(), in(c.boxes).toStdString());
    EXPECT_EQ(listedType, QMimeDatabase().mimeTypeForName("application/octet-stream").comment()); // content unread
    for (const char* name : c.earlier) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        const QByteArray bytes = QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly) ? file.read(4) : "pipe";
        EXPECT_EQ(bytes, name == std::string(c.written)    ? "%PDF"
                         : name == std::string("Rohr.pdf") ? "pipe"
                                                           : "alt")
            << name;
    }

    QString opensIn;
    onDialog = [&](QFileDialog& dialog) {
        opensIn = dialog.directory().absolutePath();
        dialog.reject();
    };
    action(QStringLiteral("Speichern unter…")).trigger();
    EXPECT_EQ(opensIn.toStdString(), (c.answer == QMessageBox::No ? QDir::homePath() : folder.path()).toStdString());
}

const SaveCase kSaves[] = {
    {"AsksAboutTheNameWithTheFiltersSuffix",
     {"Kurve.pdf"},
     FileFormat::Pdf,
     "<F>/Kurve",
     QMessageBox::Yes,
     "„<F>/Kurve.pdf“ existiert bereits.\nSoll die Datei ersetzt werden?",
     "Kurve.pdf"},
    {"NoKeepsTheFileAndReopens",
     {"Notiz", "Notiz.png"},
     FileFormat::Png,
     "<F>/Notiz",
     QMessageBox::No,
     "„<F>/Notiz.png“ existiert bereits.\nSoll die Datei ersetzt werden?",
     ""},
    {"PipeIsNeverReplaced",
     {"Rohr.pdf"},
     FileFormat::Pdf,
     "<F>/Rohr.pdf",
     QMessageBox::Ok,
     "„<F>/Rohr.pdf“ wurde nicht gespeichert. Unter diesem Namen gibt es schon etwas anderes als eine Datei.",
     ""},
};
INSTANTIATE_TEST_SUITE_P(Rows, Saving, ::testing::ValuesIn(kSaves), rowName);

// The page in millimetres, and how far apart the x axis' labels 0 and 5 stand on it, as
// pdftotext reads the PDF.
std::pair<QSizeF, double> measurePdf(const QByteArray& pdf)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {"-bbox", "-", "-"});
    reader.write(pdf);
    reader.closeWriteChannel();
    reader.waitForFinished();
    const QString layout = QString::fromUtf8(reader.readAllStandardOutput());
    const auto page = QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(layout);
    std::map<int, std::vector<double>> rows;
    for (const auto& word : QRegularExpression(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)")re").globalMatch(layout))
        rows[qRound(word.captured(2).toDouble())].push_back(word.captured(1).toDouble());
    auto labels = std::max_element(rows.begin(), rows.end(), [](auto& a, auto& b) {
                      return a.second.size() < b.second.size();
                  })->second;
    std::sort(labels.begin(), labels.end());
    const double mm = 25.4 / 72;
    return {QSizeF(page.captured(1).toDouble() * mm, page.captured(2).toDouble() * mm),
            labels.size() < 6 ? 0 : (labels.back() - labels[labels.size() - 6]) * mm};
}

// The page in millimetres of a PNG (from its pixels and density) or an SVG (its width and height).
QSizeF measureImage(const QByteArray& bytes)
{
    if (const QImage png = QImage::fromData(bytes, "png"); !png.isNull())
        return {png.width() * 1000.0 / png.dotsPerMeterX(), png.height() * 1000.0 / png.dotsPerMeterY()};
    const auto size =
        QRegularExpression(R"re(width="([\d.]+)mm" height="([\d.]+)mm")re").match(QString::fromUtf8(bytes));
    return {size.captured(1).toDouble(), size.captured(2).toDouble()};
}

enum class Output { Clipboard, File, PrintedToAFile };

struct TrueScaleCase {
    const char* name;
    Output output;
    const char* format; // a MIME type, or a file's suffix
    QPageSize::PageSizeId paper = QPageSize::A4;
    QSizeF pageMm = {139.7, 105.8};
    double fiveCmMm = 50; // where the labels can be read
};

class TrueScale : public PlotWindowTest, public ::testing::WithParamInterface<TrueScaleCase> {};

// 1 cm in the window is 1 cm on the page: copied, saved, and printed to a file, where a small
// paper shrinks the drawing to fit.
TEST_P(TrueScale, TheDrawingLeavesTheWindowAtTrueScale)
{
    const auto& c = GetParam();
    press();
    const Sheet sheet{area().size(), area().sizeInInches(), area().background()};
    QByteArray bytes;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Kurve.") + QString::fromUtf8(c.format));
    if (c.output == Output::Clipboard) {
        action(QStringLiteral("Kopieren")).trigger();
        bytes = QGuiApplication::clipboard()->mimeData()->data(QString::fromUtf8(c.format));
    } else if (c.output == Output::File) {
        ASSERT_FALSE(save(area().drawing(), sheet, saveTarget(path, FileFormat::Png)));
    } else {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(c.paper));
        ASSERT_FALSE(print(area().drawing(), sheet, printer));
    }
    if (bytes.isEmpty()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
    }
    const auto [page, fiveCm] = bytes.startsWith("%PDF") ? measurePdf(bytes) : std::pair(measureImage(bytes), 50.0);
    EXPECT_NEAR(page.width(), c.pageMm.width(), 0.1);
    EXPECT_NEAR(page.height(), c.pageMm.height(), 0.1);
    EXPECT_NEAR(fiveCm, c.fiveCmMm, 0.05);
}

const TrueScaleCase kTrueScales[] = {
    {"CopiedAsPng", Output::Clipboard, "image/png"},
    {"CopiedAsSvg", Output::Clipboard, "image/svg+xml"},
    {"SavedAsPdf", Output::File, "pdf"},
    {"SavedAsSvg", Output::File, "svg"},
    {"SavedAsPng", Output::File, "png"},
    {"PrintedOnA4", Output::PrintedToAFile, "pdf", QPageSize::A4, {210, 297}},
    // A6 is 297 points wide: 104.775 mm, which holds 104.775 / 139.7 of the drawing's width.
    {"PrintedOnA6ShrunkToFit", Output::PrintedToAFile, "pdf", QPageSize::A6, {104.8, 148.2}, 37.5},
};
INSTANTIATE_TEST_SUITE_P(Rows, TrueScale, ::testing::ValuesIn(kTrueScales), rowName);

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
    QTRY_VERIFY(!window.isVisible());
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
