#include "plot_window.h"
#include "system_locale.h"
#include "termination.h"

#include <gtest/gtest.h>

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <functional>
#include <limits>
#include <sys/stat.h>

namespace kurvix::ui {
namespace {

double example(double x) { return 0.25 * std::pow(x, 4) - 2 * x * x + 2; }

class PlotWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void press() { QTest::mouseClick(window.plotButton, Qt::LeftButton); }

    // Whether a pixel within one logical pixel of where (x, y) lands has the
    // colour; x and y in the unit the test expects, y upward from the centre.
    [[nodiscard]] bool inkAt(double x, double y, QRgb colour = qRgb(0, 0, 0))
    {
        PlottingAreaWidget& area = *window.area;
        const double ppu = area.logicalDpiX() / unitsPerInch;
        const int dpr = static_cast<int>(std::ceil(area.image().devicePixelRatio()));
        const QPoint at(static_cast<int>(std::floor(x * ppu + area.width() / 2.0)),
                        static_cast<int>(std::floor(area.height() / 2.0 - y * ppu)));
        for (int dy = -dpr; dy <= dpr; ++dy)
            for (int dx = -dpr; dx <= dpr; ++dx) {
                const QPoint p = at * dpr + QPoint(dx, dy);
                if (area.image().rect().contains(p) && area.image().pixel(p) == colour)
                    return true;
            }
        return false;
    }

    // The status line's texts as shown on screen while a press runs; the first
    // looks take a while each, so that the run spans several frames however
    // fast it is.
    [[nodiscard]] QStringList statusShownDuringPress()
    {
        QStringList shown;
        QTimer sample;
        QObject::connect(&sample, &QTimer::timeout, [&] {
            shown << window.statusLine->text();
            described << window.area->accessibleDescription();
            if (shown.size() <= 12)
                QThread::msleep(5);
        });
        sample.start(2);
        press();
        return shown;
    }

    double unitsPerInch = 2.54;
    QStringList described; // the plotting area's description during a press
    PlotWindow window;
};

TEST_F(PlotWindowTest, StartsLaidOutInTwipsWithFocusOnTheArea)
{
    EXPECT_EQ(window.unitBox->currentIndex(), -1);
    EXPECT_EQ(window.fields[9]->maxLength(), std::numeric_limits<int>::max());
    EXPECT_EQ(window.focusWidget(), window.area);

    const auto twips = [&](int l, int t, int w, int h) { // 1440 twips to the inch
        const auto px = [&](int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); };
        const int x = window.logicalDpiX();
        const int y = window.logicalDpiY();
        return QRect(px(l, x), px(t, y), px(w, x), px(h, y));
    };
    EXPECT_EQ(window.rect(), twips(0, 0, 8205, 8010));
    EXPECT_EQ(window.area->geometry(), twips(120, 120, 7920, 6000));
    EXPECT_TRUE(
        window.unitBox->isAncestorOf(window.childAt(window.unitBox->geometry().center()))); // in front of the area

    std::vector<QWidget*> tabOrder{window.plotButton};
    tabOrder.insert(tabOrder.end(), window.fields.begin(), window.fields.end());
    tabOrder.insert(tabOrder.end(), {window.unitBox, window.area});
    for (QWidget* next : tabOrder) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }

    QTest::keyClick(window.unitBox->lineEdit(), Qt::Key_Return); // a typed unit is not added to the list
    EXPECT_EQ(window.unitBox->count(), 3);

    // Automation finds the window's parts by these names.
    QStringList names{window.objectName()};
    for (const QWidget* part : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        names << part->objectName();
    names.sort();
    EXPECT_EQ(names.join(' ').toStdString(), "Combo1 Command1 Form1 Label1 Label10 Label2 Label3 Label4 Label5 Label6 "
                                             "Label7 Label8 Label9 Picture1 Text1 Text10 Text2 Text3 Text4 Text5 Text6 "
                                             "Text7 Text8 Text9 lblinfo");
    EXPECT_EQ(window.fields[9]->objectName(), "Text10");
}

// Also run under LANG=C and at twice the pixel density.
TEST_F(PlotWindowTest, PressPlotsTheExampleWithItsCrossAndProgressInTheLocale)
{
    PlottingArea& surface = *window.area; // points however far away draw nothing
    for (const float v : {1e30F, -1e30F, std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_TRUE(surface.setPoint({v, 1}).ok() && surface.setPoint({1, v}).ok() &&
                    surface.drawLine({v, v}, {-v, 2}, {12}).ok());
        EXPECT_TRUE(surface.setTextX(v).ok() && surface.writeNumber(7).ok());
    }
    QImage blank = window.area->image();
    blank.fill(window.area->background());
    EXPECT_EQ(window.area->image(), blank);

    // The progress is shown during the run, written in the environment's locale.
    const bool german = qgetenv("LANG").startsWith("de");
    const QStringList statuses = statusShownDuringPress();
    EXPECT_EQ(window.statusLine->text().toStdString(), "Fertig...");
    // Never the picture the run cleared away; at the end the points inside the area.
    const QString actions = QStringLiteral(". Im Kontextmenü: Kopieren, Speichern unter, Drucken.");
    EXPECT_EQ(described.filter("Maßstab").size(), 0);
    EXPECT_TRUE(described.contains("Wird gezeichnet" + actions)) << described.join('|').toStdString();
    EXPECT_EQ(window.area->accessibleDescription().toStdString(), ("Maßstab cm, 6133 Punkte" + actions).toStdString());
    const QStringList progress = statuses.filter(QRegularExpression(QStringLiteral("^Berechnung: [0-9.,]+%$")));
    EXPECT_GE(progress.size(), 2) << statuses.join('|').toStdString();
    EXPECT_FALSE(progress.filter(german ? QStringLiteral(".") : QStringLiteral(",")).size())
        << progress.join('|').toStdString();
    EXPECT_TRUE(progress.filter(german ? QStringLiteral(",") : QStringLiteral(".")).size())
        << progress.join('|').toStdString();
    EXPECT_EQ(window.area->image().size(), window.area->size() * window.area->devicePixelRatio());
    const QRgb axis = qRgb(12, 0, 0);
    EXPECT_TRUE(inkAt(-6.5, 0, axis) && inkAt(6.5, 0, axis) && inkAt(0, -5, axis) && inkAt(0, 5, axis));
    for (const double x : {-2.9, -2.0, -1.0, -0.5, 0.0, 0.7, 1.5, 2.0, 2.8})
        EXPECT_TRUE(inkAt(x, example(x))) << "x=" << x;
    EXPECT_FALSE(inkAt(1.5, example(1.5) + 1.5));

    // Tick labels -5 .. 5 a centimetre apart: along the x axis, then up the y axis.
    QStringList labels;
    const double cm = window.area->logicalDpiX() / 2.54;
    const QPointF centre(window.area->width() / 2.0, window.area->height() / 2.0);
    for (const auto& operation : window.area->drawing().operations())
        if (const auto* label = std::get_if<Drawing::Text>(&operation)) {
            const int n = label->text.toInt();
            const QPointF want = labels.size() < 11 ? centre + QPointF(n * cm, 0) : centre - QPointF(0, n * cm);
            EXPECT_LT(QLineF(label->at, want).length(), 0.05) << label->text.toStdString();
            labels << label->text;
        }
    EXPECT_EQ(labels.join(' ').toStdString(), "-5 -4 -3 -2 -1 0 1 2 3 4 5 -5 -4 -3 -2 -1 0 1 2 3 4 5");

    // What leaves the window is painted from the same list as what was drawn during the run.
    const QImage& shown = window.area->image();
    QImage fromList(shown.size(), QImage::Format_RGB32);
    fromList.setDevicePixelRatio(shown.devicePixelRatio());
    fromList.fill(window.area->background());
    QPainter painter(&fromList);
    window.area->drawing().paint(painter);
    painter.end();
    EXPECT_EQ(fromList, shown);

    for (const auto& [unit, perInch] : {std::pair("mm", 25.4), std::pair("Zoll", 1.0)}) {
        window.unitBox->setEditText(QString::fromUtf8(unit));
        unitsPerInch = perInch;
        press();
        EXPECT_TRUE(inkAt(0, 2) && !inkAt(0, 1)) << unit;
    }

    // Each field reaches the plot as itself: ten different texts, one curve -0.5x^3 + 0.75 - 5/6 x - 2.
    const char* texts[] = {"-1", "2", "3", "6", "8", "0", "5", "-6", "1", "-2"};
    for (std::size_t i = 0; i < window.fields.size(); ++i)
        window.fields[i]->setText(QString::fromLatin1(texts[i]));
    window.unitBox->setEditText(QStringLiteral("cm"));
    unitsPerInch = 2.54;
    press();
    for (const double x : {-2.0, -1.5, -1.0, 0.0, 1.0, 1.5})
        EXPECT_TRUE(inkAt(x, -0.5 * x * x * x - 5.0 / 6 * x - 1.25)) << "x=" << x;
}

// Each click from inside the innermost run's yield nests one run deeper, as far as runs nest.
TEST_F(PlotWindowTest, ClosingNestedRunsEndsThemAllAndLaterClicksStartNone)
{
    std::function<void()> clickDeeper = [&] {
        if (window.runDepth() == 8 && window.close())
            return;
        QTimer::singleShot(0, &window, clickDeeper);
        window.plotButton->click();
    };
    clickDeeper();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.runDepth(), 0);
    window.plotButton->click();
    EXPECT_EQ(window.runDepth(), 0);
    EXPECT_NE(window.statusLine->status().toStdString(), "Fertig...");
}

// Presses as a window system delivers them: one posted at each pass through the event
// loop, so each reaches the window where the running run yields.
class PressFlood : public QObject {
public:
    PressFlood(PlotWindow& window, int presses) : window_(window), left_(presses) { startTimer(0); }
    int deepest = 0;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        deepest = std::max(deepest, window_.runDepth());
        if (left_-- <= 0) {
            killTimer(event->timerId());
            return;
        }
        const QPoint centre = window_.plotButton->rect().center();
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(window_.plotButton,
                                        new QMouseEvent(type, centre, window_.plotButton->mapToGlobal(centre),
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    }

private:
    PlotWindow& window_;
    int left_;
};

TEST_F(PlotWindowTest, AFloodOfPressesNestsEightDeepAndEndsWithTheWholeCurve)
{
    PressFlood flood(window, 300);
    QTRY_VERIFY_WITH_TIMEOUT(flood.deepest > 0 && window.runDepth() == 0, 60000);
    EXPECT_EQ(flood.deepest, 8);
    EXPECT_EQ(window.statusLine->status().toStdString(), "Fertig...");
    for (const double x : {-2.9, -1.0, 0.0, 1.5, 2.8})
        EXPECT_TRUE(inkAt(x, example(x))) << "x=" << x;
}

// Runs interrupted by one that ends with the message box end too, without drawing.
TEST_F(PlotWindowTest, NothingIsDrawnAfterTheNoFunctionBox)
{
    int pointsAtTheBox = -1;
    QTimer answer; // OK on the message box as soon as it shows
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            pointsAtTheBox = window.area->pointsSet();
            box->close();
        }
    });
    answer.start(1);
    std::function<void()> clickDeeper = [&] {
        if (window.runDepth() == 3)
            window.fields[0]->clear();
        else
            QTimer::singleShot(0, &window, clickDeeper);
        window.plotButton->click();
    };
    clickDeeper();
    EXPECT_EQ(window.runDepth(), 0);
    EXPECT_EQ(window.area->pointsSet(), pointsAtTheBox);
    EXPECT_EQ(window.statusLine->status().toStdString(), "Nichts gezeichnet: keine Funktionsgleichung");
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
    QTimer answer; // OK on the message box as soon as it shows
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    answer.start(1);
    for (const auto& [other, text] : c.others)
        window.fields[static_cast<std::size_t>(other - 1)]->setText(QString::fromUtf8(text));
    TermField& field = *window.fields[static_cast<std::size_t>(c.field - 1)];
    const QString description = field.accessibleDescription();
    field.setText(QString::fromUtf8(c.text));
    Q_EMIT field.editingFinished();
    EXPECT_EQ(field.toolTip().toStdString(), c.tooltip);
    const QString problem = field.toolTip().section(QStringLiteral(": "), 1);
    EXPECT_EQ(field.accessibleDescription(),
              problem.isEmpty() ? description : description + QStringLiteral(". Nicht lesbar: ") + problem);
    field.setText(QStringLiteral("3")); // readable again: the mark goes without a run
    EXPECT_EQ(field.accessibleDescription(), description);
    field.setText(QString::fromUtf8(c.text)); // typed, not yet left: marked by the run
    press();
    EXPECT_EQ(window.statusLine->status().toStdString(), c.status);
    EXPECT_EQ(field.toolTip().toStdString(), c.tooltip);
    // Shortened where it does not fit, whole in its tooltip and to a screen reader.
    const StatusLabel& status = *window.statusLine;
    EXPECT_EQ(status.accessibleName(), status.status());
    const bool whole = status.text() == status.status();
    EXPECT_EQ(whole, status.fontMetrics().horizontalAdvance(status.status()) <= status.contentsRect().width());
    EXPECT_TRUE(whole ? status.toolTip().isEmpty()
                      : status.text().endsWith(u'…') && status.status().startsWith(status.text().chopped(1)) &&
                            status.toolTip() == status.status())
        << status.text().toStdString();
    for (const auto& [other, text] : c.others) // a mark goes with the other fields that caused it
        window.fields[static_cast<std::size_t>(other - 1)]->setText(QStringLiteral("1"));
    EXPECT_TRUE(c.others.empty() || field.toolTip() == field.accessibleName()) << field.toolTip().toStdString();
}

const MarkCase kMarks[] = {
    {"Readable", 2, "3", "Term 1, Nenner", "Fertig..."},
    {"Empty", 5, " ", "Term 2, Nenner: leer", "Fertig... Nicht lesbar: Term 2, Nenner (leer)"},
    {"NotANumber", 10, "abc", "Konstante: keine Zahl", "Fertig... Nicht lesbar: Konstante (keine Zahl)"},
    {"BeyondTheCurrencyRange", 10, "1e15", "Konstante: zu groß", "Fertig... Nicht lesbar: Konstante (zu groß)"},
    {"BeyondTheDoubleRange", 6, "1e309", "Term 2, Exponent: zu groß",
     "Fertig... Nicht lesbar: Term 2, Exponent (zu groß)"},
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
INSTANTIATE_TEST_SUITE_P(Rows, Marking, ::testing::ValuesIn(kMarks),
                         [](const auto& info) { return std::string(info.param.name); });

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
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            onDialog(*dialog);
        else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->button(box->standardButtons() & c.answer ? c.answer : QMessageBox::Ok)->click();
        }
    });
    driver.start(1);
    window.drawingActions->saveAs();
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
    window.drawingActions->saveAs();
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
INSTANTIATE_TEST_SUITE_P(Rows, Saving, ::testing::ValuesIn(kSaves),
                         [](const auto& info) { return std::string(info.param.name); });

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
