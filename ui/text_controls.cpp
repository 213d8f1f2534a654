#include "ui/text_controls.h"

#include <QAccessible>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace kurvix::ui {
namespace {

constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

SharedText shared(const QString& text) { return makeText(text.toStdString()); }

} // namespace

TermField::TermField(const QString& text, const QString& name, const QString& description, QWidget* parent)
    : QLineEdit(parent), name_(name), description_(description)
{
    setMaxLength(kNoLengthLimit);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) { text_ = shared(t); });
    setText(text);
    setAccessibleName(name);
    showProblem({});
}

void TermField::showProblem(const QString& problem)
{
    const bool changed = problem != problem_;
    problem_ = problem;
    setToolTip(problem.isEmpty() ? name_ : name_ + QStringLiteral(": ") + problem);
    setAccessibleDescription(problem.isEmpty() ? description_
                                               : description_ + QStringLiteral(". Nicht lesbar: ") + problem);
    if (!changed)
        return;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
    update();
}

// A dotted frame and a corner in the palette's highlight: a shape, not a colour alone.
void TermField::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (problem_.isEmpty())
        return;
    QPainter painter(this);
    const QColor mark = palette().color(QPalette::Highlight);
    painter.setPen(QPen(mark, 2, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
    const int corner = std::max(4, height() / 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(mark);
    painter.drawPolygon(QPolygon{{width() - corner, 0}, {width(), 0}, {width(), corner}});
}

UnitBox::UnitBox(const QStringList& items, const QString& text, QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // typed text stays exactly as typed
    lineEdit()->setMaxLength(kNoLengthLimit);
    addItems(items);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& t) { text_ = shared(t); });
    setCurrentIndex(-1);
    setEditText(text);
}

StatusLineWidget::StatusLineWidget(const QString& text, QWidget* parent) : QLabel(parent) { display(text); }

void StatusLineWidget::display(const QString& text)
{
    if (text != shown_)
        setAccessibleName(text); // before the text, so that a screen reader hears one change
    shown_ = text;
    const QString fitting = fontMetrics().elidedText(text, Qt::ElideRight, contentsRect().width());
    setToolTip(fitting == text ? QString() : text);
    setText(fitting);
}

void StatusLineWidget::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    display(shown_);
}

void StatusLineWidget::setStatus(std::string_view text)
{
    pending_.assign(text);
    hasPending_ = true;
}

void StatusLineWidget::present()
{
    if (!hasPending_)
        return;
    display(QString::fromStdString(pending_));
    hasPending_ = false;
}

} // namespace kurvix::ui
