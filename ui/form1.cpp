#include "form1.h"

#include "accessibility.h"
#include "system_locale.h"
#include "unit_scale.h"
#include "window_placement.h"

#include "plot/field_check.h"
#include "plot/plot_command.h"

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

struct ControlRow {
    Placement at;
    const char* text;
};

// The equation row, Text1 .. Text10; exponents stand raised.
constexpr std::array<ControlRow, 10> kTermFields{{
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

// Label1 .. Label10.
constexpr std::array<ControlRow, 10> kLabels{{
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

constexpr Placement kPicture1{120, 120, 7920, 6000};
constexpr Placement kCommand1{5760, 6240, 2295, 855};
constexpr Placement kLblinfo{120, 7200, 7935, 255};
constexpr Placement kCombo1{2400, 240, 3015, 315};

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent), locale_(systemNumberLocale())
{
    installAccessibleInterfaces();
    setWindowTitle(QStringLiteral("Kurvix"));
    const UnitScale scale = UnitScale::of(*this);
    setFixedSize(scale.twipsToPixelsX(kClientWidthTwips), scale.twipsToPixelsY(kClientHeightTwips));
    buildControls();
    centreOnScreen();
    if (const QScreen* s = screen(); s && s->refreshRate() >= 1) {
        const auto frame = std::chrono::milliseconds(static_cast<int>(1000 / s->refreshRate()));
        pacer_ = FramePacer(std::clamp(frame, std::chrono::milliseconds(4), std::chrono::milliseconds(50)));
    }
    Picture1->setFocus();
}

void Form1::place(QWidget* control, const Placement& at) const
{
    const UnitScale scale = UnitScale::of(*this);
    control->setGeometry(scale.twipsToPixelsX(at.left), scale.twipsToPixelsY(at.top), scale.twipsToPixelsX(at.width),
                         scale.twipsToPixelsY(at.height));
}

void Form1::buildControls()
{
    Picture1 = new PictureBox(this);
    place(Picture1, kPicture1);
    Picture1->setAccessibleName(QStringLiteral("Zeichenfläche"));
    Picture1->setAccessibleDescription(pictureDescription(Picture1->unit(), 0, false, true));
    drawingActions = new DrawingActions(*Picture1, *this);
    Picture1->addActions({drawingActions->copy, drawingActions->save, drawingActions->print});
    Picture1->setContextMenuPolicy(Qt::ActionsContextMenu);

    Command1 = new QPushButton(QStringLiteral("Berechnen"), this);
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    place(Command1, kCommand1);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);

    for (std::size_t i = 0; i < Text.size(); ++i) {
        const auto& row = kTermFields[i];
        const int field = static_cast<int>(i) + 1;
        Text[i] = new TermField(QString::fromUtf8(row.text), termFieldName(field), termFieldDescription(field), this);
        place(Text[i], row.at);
        connect(Text[i], &QLineEdit::editingFinished, this, [this, i] { markField(i, false); });
        connect(Text[i], &QLineEdit::textChanged, this, [this, i] { markField(i, true); });
    }
    for (std::size_t i = 0; i < Labels.size(); ++i) {
        const auto& row = kLabels[i];
        Labels[i] = new QLabel(QString::fromUtf8(row.text), this);
        place(Labels[i], row.at);
    }

    lblinfo = new StatusLabel(QStringLiteral("Der Kurvix von Velmora"), this);
    place(lblinfo, kLblinfo);

    Combo1 = new UnitBox({QStringLiteral("cm"), QStringLiteral("mm"), QStringLiteral("Zoll")},
                         QStringLiteral("Maßstab"), this);
    place(Combo1, kCombo1);
    Combo1->raise();
    Combo1->setAccessibleName(QStringLiteral("Maßstab"));
    Combo1->setToolTip(QStringLiteral("Maßstab: cm, mm oder Zoll"));

    QWidget* previous = Picture1;
    for (QWidget* next : std::initializer_list<QWidget*>{Command1, Text[0], Text[1], Text[2], Text[3], Text[4], Text[5],
                                                         Text[6], Text[7], Text[8], Text[9], Combo1}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void Form1::centreOnScreen()
{
    if (const QScreen* s = screen()) {
        move(windowPosition(s->availableGeometry(), frameGeometry().size()));
    }
}

Controls Form1::controls()
{
    return Controls{
        *Picture1,
        *Combo1,
        {*Text[0], *Text[1], *Text[2], *Text[3], *Text[4], *Text[5], *Text[6], *Text[7], *Text[8], *Text[9]},
        *lblinfo,
        *this,
        *this};
}

void Form1::Command1_Click()
{
    if (closed_)
        return; // a click still queued when the window closed
    if (runDepth_ >= kMaxNestedRuns) {
        startOver_ = true;
        return;
    }
    const QPointer<Form1> guard(this);
    const int messagesBefore = messagesShown_;
    ++runDepth_;
    kurvix::Command1_Click(controls(), locale_);
    if (!guard)
        return;
    --runDepth_;
    const bool noFunction = messagesShown_ > messagesBefore;
    endRuns_ = runDepth_ > 0 && (endRuns_ || noFunction);
    if (closed_)
        return;
    Picture1->setAccessibleDescription(pictureDescription(Picture1->unit(), Picture1->pointsSet(), noFunction, false));
    if (const QString unread = markUnreadableFields(); !unread.isEmpty() && lblinfo->caption() == kDoneCaption.data())
        static_cast<void>(
            lblinfo->Caption(QStringLiteral("%1 Nicht lesbar: %2").arg(lblinfo->caption(), unread).toStdString()));
    present();
}

void Form1::markField(std::size_t index, bool onlyUnmark)
{
    TermField& field = *Text[index];
    if (onlyUnmark && field.problem().isEmpty())
        return;
    const FieldProblem problem =
        checkField(static_cast<int>(index) + 1, *field.Text()->get(), locale_); // the text the run reads
    if (!onlyUnmark || problem == FieldProblem::None)
        field.showProblem(fieldProblemText(problem));
}

// Marks every field the plot could not read; returns them as the status line names them.
QString Form1::markUnreadableFields()
{
    QStringList unread;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        markField(i, false);
        if (!Text[i]->problem().isEmpty())
            unread << QStringLiteral("%1 (%2)").arg(Text[i]->accessibleName(), Text[i]->problem());
    }
    return unread.join(QStringLiteral("; "));
}

void Form1::present()
{
    Picture1->present();
    lblinfo->present();
    pacer_.restart();
}

Yield Form1::DoEvents()
{
    if (pacer_.due())
        present();
    if (!eventPacer_.due())
        return Yield::Continue;
    eventPacer_.restart();
    const QPointer<Form1> guard(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // After the events nothing of this object may be touched unless it still exists.
    if (!guard || guard->closed_ || guard->endRuns_)
        return Yield::EndRun;
    if (std::exchange(startOver_, false))
        return Yield::StartOver;
    return Yield::Continue;
}

Status Form1::MsgBox(std::string_view prompt)
{
    ++messagesShown_;
    present();
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), QString::fromUtf8(prompt),
                    QMessageBox::Ok, this);
    box.exec();
    // The run ends here: the status line no longer shows its progress.
    static_cast<void>(lblinfo->Caption(Picture1->pointsSet() == 0 ? "Nichts gezeichnet: keine Funktionsgleichung"
                                                                  : "Abgebrochen: keine Funktionsgleichung"));
    lblinfo->present();
    return {};
}

void Form1::closeEvent(QCloseEvent* event)
{
    closed_ = true;
    event->accept();
}

} // namespace kurvix::ui
