#include "plot_window.h"

#include "accessibility.h"
#include "system_locale.h"
#include "unit_scale.h"
#include "window_placement.h"

#include "field_check.h"
#include "plot_run.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <utility>

namespace kurvix::ui {
namespace {

struct PartRow {
    Placement at;
    const char* text;
};

// The formula's fields in order; exponents stand raised.
constexpr std::array<PartRow, kTermFieldCount> kFieldRows{{
    {{360, 6600, 255, 285}, "1"},
    {{840, 6600, 255, 285}, "4"},
    {{1320, 6240, 255, 285}, "4"},
    {{2040, 6600, 255, 285}, "-2"},
    {{2520, 6600, 255, 285}, "1"},
    {{3000, 6240, 255, 285}, "2"},
    {{3720, 6600, 255, 285}, "2"},
    {{4200, 6600, 255, 285}, "1"},
    {{4680, 6240, 255, 285}, "0"},
    {{5400, 6600, 255, 285}, "0"},
}};

// The formula's operators, and the example below it.
constexpr std::array<PartRow, 10> kLabelRows{{
    {{1200, 6600, 255, 255}, "x"},
    {{600, 6600, 255, 255}, "/"},
    {{1680, 6600, 255, 255}, "+"},
    {{2280, 6600, 255, 255}, "/"},
    {{2880, 6600, 255, 255}, "x"},
    {{3360, 6600, 255, 255}, "+"},
    {{3960, 6600, 255, 255}, "/"},
    {{4560, 6600, 255, 255}, "x"},
    {{5040, 6600, 255, 255}, "+"},
    {{120, 7560, 7935, 255}, "Beispielfunktion: (1 / 4 * x ^ 4) - (2 * x ^ 2) + 2"},
}};

constexpr Placement kAreaPlacement{120, 120, 7920, 6000};
constexpr Placement kButtonPlacement{5760, 6240, 2295, 855};
constexpr Placement kStatusPlacement{120, 7200, 7935, 255};
constexpr Placement kUnitBoxPlacement{2400, 240, 3015, 315};

// Object names that automation finds the window and its parts by.
QString numbered(const char* name, std::size_t index) { return QString::fromLatin1(name) + QString::number(index + 1); }

} // namespace

PlotWindow::PlotWindow(QWidget* parent) : QWidget(parent), locale_(systemNumberLocale())
{
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kurvix"));
    const UnitScale scale = UnitScale::of(*this);
    setFixedSize(scale.twipsToPixelsX(kClientWidthTwips), scale.twipsToPixelsY(kClientHeightTwips));
    buildParts();
    centreOnScreen();
    if (const QScreen* s = screen(); s && s->refreshRate() >= 1) {
        const auto frame = std::chrono::milliseconds(static_cast<int>(1000 / s->refreshRate()));
        pacer_ = FramePacer(std::clamp(frame, std::chrono::milliseconds(4), std::chrono::milliseconds(50)));
    }
    area->setFocus();
}

void PlotWindow::place(QWidget* part, const Placement& at) const
{
    const UnitScale scale = UnitScale::of(*this);
    part->setGeometry(scale.twipsToPixelsX(at.left), scale.twipsToPixelsY(at.top), scale.twipsToPixelsX(at.width),
                      scale.twipsToPixelsY(at.height));
}

void PlotWindow::buildParts()
{
    area = new PlottingAreaWidget(this);
    place(area, kAreaPlacement);
    area->setObjectName(QStringLiteral("Picture1"));
    area->setAccessibleName(QStringLiteral("Zeichenfläche"));
    describeArea(AreaState::BeforeAnyRun);
    drawingActions = new DrawingActions(*area, *this);
    area->addActions({drawingActions->copy, drawingActions->save, drawingActions->print});
    area->setContextMenuPolicy(Qt::ActionsContextMenu);

    plotButton = new QPushButton(QStringLiteral("Berechnen"), this);
    plotButton->setAutoDefault(false);
    plotButton->setDefault(false);
    place(plotButton, kButtonPlacement);
    plotButton->setObjectName(QStringLiteral("Command1"));
    connect(plotButton, &QPushButton::clicked, this, &PlotWindow::plot);

    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& row = kFieldRows[i];
        const int field = static_cast<int>(i) + 1;
        fields[i] = new TermField(QString::fromUtf8(row.text), termFieldName(field), termFieldDescription(field), this);
        place(fields[i], row.at);
        fields[i]->setObjectName(numbered("Text", i));
        connect(fields[i], &QLineEdit::editingFinished, this, [this, i] { markField(i, false); });
        // A term's numerator is read together with its denominator.
        connect(fields[i], &QLineEdit::textChanged, this, [this, i] {
            const std::size_t first = i - i % 3;
            for (std::size_t f = first; f < std::min(first + 3, fields.size()); ++f)
                markField(f, true);
        });
    }
    for (std::size_t i = 0; i < formulaLabels.size(); ++i) {
        const auto& row = kLabelRows[i];
        formulaLabels[i] = new QLabel(QString::fromUtf8(row.text), this);
        place(formulaLabels[i], row.at);
        formulaLabels[i]->setObjectName(numbered("Label", i));
    }

    statusLine = new StatusLabel(QStringLiteral("Der Kurvix von Velmora"), this);
    place(statusLine, kStatusPlacement);
    statusLine->setObjectName(QStringLiteral("lblinfo"));

    unitBox = new UnitBox({QStringLiteral("cm"), QStringLiteral("mm"), QStringLiteral("Zoll")},
                          QStringLiteral("Maßstab"), this);
    place(unitBox, kUnitBoxPlacement);
    unitBox->setObjectName(QStringLiteral("Combo1"));
    unitBox->raise();
    unitBox->setAccessibleName(QStringLiteral("Maßstab"));
    unitBox->setToolTip(QStringLiteral("Maßstab: cm, mm oder Zoll"));

    QWidget* previous = area;
    for (QWidget* next :
         std::initializer_list<QWidget*>{plotButton, fields[0], fields[1], fields[2], fields[3], fields[4], fields[5],
                                         fields[6], fields[7], fields[8], fields[9], unitBox}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void PlotWindow::centreOnScreen()
{
    if (const QScreen* s = screen()) {
        move(windowPosition(s->availableGeometry(), frameGeometry().size()));
    }
}

WindowParts PlotWindow::windowParts()
{
    return WindowParts{*area,
                       *unitBox,
                       {*fields[0], *fields[1], *fields[2], *fields[3], *fields[4], *fields[5], *fields[6], *fields[7],
                        *fields[8], *fields[9]},
                       *statusLine,
                       *this,
                       *this};
}

void PlotWindow::plot()
{
    if (closed_)
        return; // a click still queued when the window closed
    if (runDepth_ >= kMaxNestedRuns) {
        startOver_ = true;
        return;
    }
    const QPointer<PlotWindow> guard(this);
    const int messagesBefore = messagesShown_;
    ++runDepth_;
    describeArea(AreaState::Drawing);
    kurvix::runPlot(windowParts(), locale_);
    if (!guard)
        return;
    --runDepth_;
    const bool noFunction = messagesShown_ > messagesBefore;
    endRuns_ = runDepth_ > 0 && (endRuns_ || noFunction);
    if (closed_)
        return;
    if (runDepth_ == 0) // an outer run goes on drawing
        describeArea(noFunction ? AreaState::NoFunction : AreaState::Drawn);
    if (const QString unread = markUnreadableFields(); !unread.isEmpty() && statusLine->status() == kDoneStatus.data())
        static_cast<void>(statusLine->setStatus(
            QStringLiteral("%1 Nicht lesbar: %2").arg(statusLine->status(), unread).toStdString()));
    present();
}

void PlotWindow::describeArea(AreaState state)
{
    const QString description = areaDescription(state, area->unit(), area->pointsSet());
    if (description != area->accessibleDescription()) // a screen reader hears each change
        area->setAccessibleDescription(description);
}

void PlotWindow::markField(std::size_t index, bool onlyUnmark)
{
    TermField& field = *fields[index];
    if (onlyUnmark && field.problem().isEmpty())
        return;
    FieldTexts texts; // as the run reads them
    for (std::size_t i = 0; i < fields.size(); ++i)
        texts[i] = *fields[i]->sharedText()->get();
    const FieldProblem problem = checkField(static_cast<int>(index) + 1, texts, locale_);
    if (!onlyUnmark || problem == FieldProblem::None)
        field.showProblem(fieldProblemText(problem));
}

// Marks every field the plot could not read; returns them as the status line names them.
QString PlotWindow::markUnreadableFields()
{
    QStringList unread;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        markField(i, false);
        if (!fields[i]->problem().isEmpty())
            unread << QStringLiteral("%1 (%2)").arg(fields[i]->accessibleName(), fields[i]->problem());
    }
    return unread.join(QStringLiteral("; "));
}

void PlotWindow::present()
{
    area->present();
    statusLine->present();
    pacer_.restart();
}

Yield PlotWindow::yieldToWindow()
{
    if (pacer_.due())
        present();
    if (!eventPacer_.due())
        return Yield::Continue;
    eventPacer_.restart();
    const QPointer<PlotWindow> guard(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // After the events nothing of this object may be touched unless it still exists.
    if (!guard || guard->closed_ || guard->endRuns_)
        return Yield::EndRun;
    if (std::exchange(startOver_, false))
        return Yield::StartOver;
    return Yield::Continue;
}

Status PlotWindow::showMessage(std::string_view message)
{
    ++messagesShown_;
    present();
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), QString::fromUtf8(message),
                    QMessageBox::Ok, this);
    box.exec();
    // The run ends here: the status line no longer shows its progress.
    static_cast<void>(statusLine->setStatus(area->pointsSet() == 0 ? "Nichts gezeichnet: keine Funktionsgleichung"
                                                                   : "Abgebrochen: keine Funktionsgleichung"));
    statusLine->present();
    return {};
}

void PlotWindow::closeEvent(QCloseEvent* event)
{
    closed_ = true;
    event->accept();
}

} // namespace kurvix::ui
