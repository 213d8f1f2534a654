#include "ui/plot_window.h"

#include "ui/accessibility.h"
#include "ui/curve_dialog.h"
#include "ui/drawing_actions.h"
#include "ui/plot_runs.h"
#include "ui/plotting_area_widget.h"
#include "ui/system_locale.h"
#include "ui/text_controls.h"
#include "ui/unit_scale.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace kurvix::ui {
namespace {

struct FormulaPart {
    const char* name; // "TextN" a term field, "LabelN" a sign between them
    int left;         // in twips
    bool raised;      // an exponent
    const char* text;
};

// The equation row as it reads, starting with the example.
// clang-format off
constexpr FormulaPart kFormula[] = {
    {"Text1", 360, false, "1"},   {"Label2", 600, false, "/"},  {"Text2", 840, false, "4"},
    {"Label1", 1200, false, "x"}, {"Text3", 1320, true, "4"},   {"Label3", 1680, false, "+"},
    {"Text4", 2040, false, "-2"}, {"Label4", 2280, false, "/"}, {"Text5", 2520, false, "1"},
    {"Label5", 2880, false, "x"}, {"Text6", 3000, true, "2"},   {"Label6", 3360, false, "+"},
    {"Text7", 3720, false, "2"},  {"Label7", 3960, false, "/"}, {"Text8", 4200, false, "1"},
    {"Label8", 4560, false, "x"}, {"Text9", 4680, true, "0"},   {"Label9", 5040, false, "+"},
    {"Text10", 5400, false, "0"},
};
// clang-format on
constexpr int kRowTop = 6600;
constexpr int kRaisedTop = 6240;
constexpr int kFieldWidth = 255; // a sign's too
constexpr int kFieldHeight = 285;
constexpr int kSignHeight = 255;
constexpr Placement kExamplePlacement{120, 7560, 7935, 255};
constexpr const char* kExample = "Beispielfunktion: (1 / 4 * x ^ 4) - (2 * x ^ 2) + 2";

constexpr Placement kAreaPlacement{120, 120, 7920, 6000};
constexpr Placement kButtonPlacement{5760, 6240, 2295, 855};
constexpr Placement kStatusPlacement{120, 7200, 7935, 255};
constexpr Placement kUnitBoxPlacement{2400, 240, 3015, 315};

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
    area_->setFocus();
}

void PlotWindow::place(QWidget* part, const Placement& at) const
{
    const UnitScale scale = UnitScale::of(*this);
    part->setGeometry(scale.twipsToPixelsX(at.left), scale.twipsToPixelsY(at.top), scale.twipsToPixelsX(at.width),
                      scale.twipsToPixelsY(at.height));
}

void PlotWindow::buildParts()
{
    area_ = new PlottingAreaWidget(this);
    place(area_, kAreaPlacement);
    area_->setObjectName(QStringLiteral("Picture1"));
    area_->setAccessibleName(QStringLiteral("Zeichenfläche"));
    describeArea(areaDescription(AreaState::BeforeAnyRun));
    auto* actions = new DrawingActions(*area_, *this);
    auto* discussion = new QAction(QStringLiteral("Kurvendiskussion…"), this);
    discussion->setShortcut(Qt::Key_F2);
    discussion->setShortcutContext(Qt::WindowShortcut);
    connect(discussion, &QAction::triggered, this, &PlotWindow::showDiscussion);
    area_->addActions({actions->copy, actions->save, actions->print, discussion});
    area_->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* plotButton = new QPushButton(QStringLiteral("Berechnen"), this);
    plotButton->setAutoDefault(false);
    plotButton->setDefault(false);
    place(plotButton, kButtonPlacement);
    plotButton->setObjectName(QStringLiteral("Command1"));
    connect(plotButton, &QPushButton::clicked, this, &PlotWindow::plot);

    buildFormula();

    statusLine_ = new StatusLineWidget(QStringLiteral("Der Kurvix von Velmora"), this);
    place(statusLine_, kStatusPlacement);
    statusLine_->setObjectName(QStringLiteral("lblinfo"));

    unitBox_ = new UnitBox({QStringLiteral("cm"), QStringLiteral("mm"), QStringLiteral("Zoll")},
                           QStringLiteral("Maßstab"), this);
    place(unitBox_, kUnitBoxPlacement);
    unitBox_->setObjectName(QStringLiteral("Combo1"));
    unitBox_->raise();
    unitBox_->setAccessibleName(QStringLiteral("Maßstab"));
    unitBox_->setToolTip(QStringLiteral("Maßstab: cm, mm oder Zoll"));

    QWidget* previous = area_;
    const auto tabTo = [&](QWidget* next) {
        setTabOrder(previous, next);
        previous = next;
    };
    tabTo(plotButton);
    for (TermField* field : fields_)
        tabTo(field);
    tabTo(unitBox_);

    TermFieldSources sources{*fields_[0], *fields_[1], *fields_[2], *fields_[3], *fields_[4],
                             *fields_[5], *fields_[6], *fields_[7], *fields_[8], *fields_[9]};
    runs_ = new PlotRuns({*area_, *unitBox_, sources, *statusLine_}, locale_, *this, [this] { present(); });
}

// The fields first, then the signs by their number: the order a screen reader walks them.
void PlotWindow::buildFormula()
{
    std::vector<const FormulaPart*> signs;
    for (const FormulaPart& part : kFormula) {
        const QString name = QString::fromLatin1(part.name);
        if (!name.startsWith(QLatin1String("Text"))) {
            signs.push_back(&part);
            continue;
        }
        const int field = name.mid(4).toInt();
        const auto index = static_cast<std::size_t>(field - 1);
        fields_[index] =
            new TermField(QString::fromUtf8(part.text), termFieldName(field), termFieldDescription(field), this);
        place(fields_[index], {part.left, part.raised ? kRaisedTop : kRowTop, kFieldWidth, kFieldHeight});
        fields_[index]->setObjectName(name);
        connect(fields_[index], &QLineEdit::editingFinished, this, [this, index] { markField(index); });
        connect(fields_[index], &QLineEdit::textChanged, this, [this, index] { unmarkTerm(index); });
    }
    std::sort(signs.begin(), signs.end(), [](const FormulaPart* a, const FormulaPart* b) {
        return QString::fromLatin1(a->name).mid(5).toInt() < QString::fromLatin1(b->name).mid(5).toInt();
    });
    for (const FormulaPart* part : signs) {
        auto* label = new QLabel(QString::fromUtf8(part->text), this);
        place(label, {part->left, kRowTop, kFieldWidth, kSignHeight});
        label->setObjectName(QString::fromLatin1(part->name));
    }
    auto* example = new QLabel(QString::fromUtf8(kExample), this);
    place(example, kExamplePlacement);
    example->setObjectName(QStringLiteral("Label10"));
}

void PlotWindow::centreOnScreen()
{
    if (const QScreen* s = screen())
        move(windowPosition(s->availableGeometry(), frameGeometry().size()));
}

void PlotWindow::plot()
{
    describeArea(areaDescription(AreaState::Drawing));
    const QPointer<PlotWindow> guard(this);
    const auto end = runs_->press();
    if (!guard || !end || *end == RunEnd::Stopped)
        return;
    const RunOutcome outcome{*end, area_->unit(), area_->pointsSet(), runs_->depth() > 0};
    showReport(reportRun(outcome, fieldTexts(), locale_));
    present();
}

void PlotWindow::showReport(const RunReport& report)
{
    if (report.status)
        statusLine_->setStatus(*report.status);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->showProblem(QString::fromStdString(report.marks[i]));
    if (!report.description) // an outer run goes on drawing
        return;
    discussion_ = report.discussion;
    describeArea(*report.description);
    if (curveDialog_ && curveDialog_->isVisible())
        fillDiscussion();
}

void PlotWindow::showDiscussion()
{
    if (!curveDialog_) {
        curveDialog_ = new CurveDialog(
            locale_,
            [this](std::optional<CurvePoint> p) {
                std::optional<PointF> ring; // none beyond the floats
                if (p)
                    if (const auto at = centredOnArea(*area_, p->x, -p->y))
                        ring = *at;
                area_->setRing(ring);
            },
            this);
        // Beside the window, so that the ringed point stays in sight.
        const QRect frame = frameGeometry();
        const QRect screenArea = screen() ? screen()->availableGeometry() : QRect();
        const int right = frame.right() + 8;
        curveDialog_->move(right + curveDialog_->width() <= screenArea.right()
                               ? right
                               : std::max(screenArea.left(), frame.left() - curveDialog_->width() - 8),
                           frame.top());
    }
    fillDiscussion();
    curveDialog_->show();
    curveDialog_->raise();
    curveDialog_->activateWindow();
}

void PlotWindow::fillDiscussion()
{
    if (discussion_)
        curveDialog_->showAnalysis(*discussion_);
    else
        curveDialog_->showWords(QStringLiteral("Noch keine Kurve gezeichnet"));
}

void PlotWindow::describeArea(const std::string& description)
{
    if (const QString text = QString::fromStdString(description); text != area_->accessibleDescription())
        area_->setAccessibleDescription(text); // a screen reader hears each change
}

void PlotWindow::markField(std::size_t index)
{
    const ReadFields read = readFields(fieldTexts(), locale_);
    fields_[index]->showProblem(QString::fromStdString(problemText(read.problems[index])));
    // A denominator can make its numerator's fraction too large.
    if (index % 3 == 1 && read.problems[index - 1] == FieldProblem::TooLarge)
        fields_[index - 1]->showProblem(QString::fromStdString(problemText(FieldProblem::TooLarge)));
}

// While typing, marks only go: a term's numerator is read together with its denominator.
void PlotWindow::unmarkTerm(std::size_t index)
{
    const auto first = fields_.begin() + static_cast<std::ptrdiff_t>(index - index % 3);
    const auto last = fields_.begin() + static_cast<std::ptrdiff_t>(std::min(index - index % 3 + 3, fields_.size()));
    if (std::all_of(first, last, [](const TermField* f) { return f->problem().isEmpty(); }))
        return;
    const ReadFields read = readFields(fieldTexts(), locale_);
    for (auto f = first; f != last; ++f)
        if (read.problems[static_cast<std::size_t>(f - fields_.begin())] == FieldProblem::None)
            (*f)->showProblem(QString());
}

FieldTexts PlotWindow::fieldTexts() const
{
    FieldTexts texts; // as the run reads them
    for (std::size_t i = 0; i < fields_.size(); ++i)
        texts[i] = *fields_[i]->sharedText();
    return texts;
}

void PlotWindow::present()
{
    area_->present();
    statusLine_->present();
}

void PlotWindow::closeEvent(QCloseEvent* event)
{
    runs_->stop();
    event->accept();
}

} // namespace kurvix::ui
