#include "ui/curve_dialog.h"

#include "numbers/number_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kurvix::ui {
namespace {

QString kindName(CurvePoint::Kind kind)
{
    switch (kind) {
    case CurvePoint::Kind::Zero: return QStringLiteral("Nullstelle");
    case CurvePoint::Kind::High: return QStringLiteral("Hochpunkt");
    case CurvePoint::Kind::Low: return QStringLiteral("Tiefpunkt");
    case CurvePoint::Kind::Turning: return QStringLiteral("Wendepunkt");
    case CurvePoint::Kind::Saddle: return QStringLiteral("Sattelpunkt");
    }
    return {};
}

} // namespace

CurveDialog::CurveDialog(NumberLocale locale, Ring ring, QWidget* parent)
    : QDialog(parent), locale_(std::move(locale)), ring_(std::move(ring))
{
    setWindowTitle(QStringLiteral("Kurvendiskussion"));
    setObjectName(QStringLiteral("Kurvendiskussion"));
    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("Art"), QStringLiteral("x"), QStringLiteral("y")});
    table_->setAccessibleName(QStringLiteral("Punkte der Kurve"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    words_ = new QLabel(this);
    words_->setWordWrap(true);
    words_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    words_->setFocusPolicy(Qt::StrongFocus); // a screen reader's user reaches it by Tab
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(words_);
    resize(360, 320);

    auto* copy = new QAction(QStringLiteral("Kopieren"), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copy);
    connect(copy, &QAction::triggered, this, [this] { QGuiApplication::clipboard()->setText(rowsAsText()); });
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
        const auto rows = table_->selectionModel()->selectedRows();
        ring_(rows.isEmpty() ? std::nullopt : std::optional(points_.at(static_cast<std::size_t>(rows[0].row()))));
    });
}

void CurveDialog::showAnalysis(const CurveAnalysis& analysis)
{
    showWords(QString::fromStdString(describeCurve(analysis, locale_)));
    points_ = analysis.points;
    table_->setRowCount(static_cast<int>(points_.size()));
    const auto number = [&](double v) { return QString::fromStdString(roundedToText(v, 2, locale_)); };
    for (int row = 0; row < table_->rowCount(); ++row) {
        const CurvePoint& p = points_[static_cast<std::size_t>(row)];
        table_->setItem(row, 0, new QTableWidgetItem(kindName(p.kind)));
        table_->setItem(row, 1, new QTableWidgetItem(number(p.x)));
        table_->setItem(row, 2, new QTableWidgetItem(number(p.y)));
    }
}

void CurveDialog::showWords(const QString& words)
{
    table_->clearSelection();
    table_->setRowCount(0);
    points_.clear();
    words_->setText(words);
}

void CurveDialog::hideEvent(QHideEvent* event)
{
    table_->clearSelection(); // and with it the ring
    QDialog::hideEvent(event);
}

QString CurveDialog::rowsAsText() const
{
    QString text = QStringLiteral("Art\tx\ty\n");
    for (int row = 0; row < table_->rowCount(); ++row)
        text += QStringLiteral("%1\t%2\t%3\n")
                    .arg(table_->item(row, 0)->text(), table_->item(row, 1)->text(), table_->item(row, 2)->text());
    return text;
}

} // namespace kurvix::ui
