#include "drawing_actions.h"

#include "plotting_area_widget.h"
#include "whole_file.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace kurvix::ui {
namespace {

QAction* action(const QString& text, QKeySequence::StandardKey key, QObject* parent)
{
    auto* a = new QAction(text, parent);
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

const std::array kFilters{FileFormat::Pdf, FileFormat::Svg, FileFormat::Png};

} // namespace

DrawingActions::DrawingActions(PlottingAreaWidget& area, QWidget& window)
    : QObject(&window), area_(&area), window_(&window), folder_(QDir::homePath())
{
    copy = action(QStringLiteral("Kopieren"), QKeySequence::Copy, this);
    save = action(QStringLiteral("Speichern unter…"), QKeySequence::Save, this);
    print = action(QStringLiteral("Drucken…"), QKeySequence::Print, this);
    connect(copy, &QAction::triggered, this, &DrawingActions::copyToClipboard);
    connect(save, &QAction::triggered, this, &DrawingActions::saveAs);
    connect(print, &QAction::triggered, this, &DrawingActions::printOnPaper);
}

Sheet DrawingActions::sheet() const { return {area_->size(), area_->sizeInInches(), area_->background()}; }

bool DrawingActions::windowGone() const { return !window_ || !area_ || !window_->isVisible(); }

void DrawingActions::copyToClipboard()
{
    if (!windowGone())
        QGuiApplication::clipboard()->setMimeData(clipboardData(area_->drawing(), sheet()));
}

void DrawingActions::saveAs()
{
    if (windowGone())
        return;
    QStringList filters;
    for (const FileFormat format : kFilters)
        filters << filterText(format);
    QFileDialog dialog(window_, QStringLiteral("Speichern unter"), folder_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filterText(format_));
    dialog.selectFile(QStringLiteral("Kurve.") + suffix(format_));
    const int answer = dialog.exec();
    if (windowGone())
        return;
    window_->activateWindow(); // also where no window manager gives the focus back
    if (answer != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const auto chosen = static_cast<std::size_t>(std::max(0, int(filters.indexOf(dialog.selectedNameFilter()))));
    const SaveTarget target = saveTarget(dialog.selectedFiles().constFirst(), kFilters.at(chosen));
    folder_ = dialog.directory().absolutePath();
    format_ = target.format;
    if (const auto failure = writeWholeFile(target.path, encode(area_->drawing(), sheet(), target.format)))
        tell(QStringLiteral("„%1“ wurde nicht gespeichert. %2").arg(QDir::toNativeSeparators(target.path), *failure));
}

void DrawingActions::printOnPaper()
{
    if (windowGone())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Kurve"));
    QPrintDialog dialog(&printer, window_);
    const int answer = dialog.exec();
    if (windowGone())
        return;
    window_->activateWindow();
    if (answer != QDialog::Accepted)
        return;
    ui::printOnPaper(area_->drawing(), sheet(), printer);
}

void DrawingActions::tell(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text, QMessageBox::Ok, window_);
    box.exec();
    if (!windowGone())
        window_->activateWindow();
}

} // namespace kurvix::ui
