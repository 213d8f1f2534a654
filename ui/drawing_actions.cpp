#include "ui/drawing_actions.h"

#include "ui/plotting_area_widget.h"
#include "ui/printing.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPrintDialog>
#include <QPrinter>

namespace kurvix::ui {
namespace {

using drawing::FileFormat;

QAction* action(const QString& text, QKeySequence::StandardKey key, QObject* parent)
{
    auto* a = new QAction(text, parent);
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

// Names a file's type and icon from its name alone: reading a listed file's
// content can block for good (/proc/kmsg as root).
class NameOnlyIcons : public QFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QFileIconProvider::icon(Folder);
        const QIcon themed = QIcon::fromTheme(typeOf(info).iconName());
        return themed.isNull() ? QFileIconProvider::icon(File) : themed;
    }
    QString type(const QFileInfo& info) const override
    {
        return info.isDir() ? QFileIconProvider::type(info) : typeOf(info).comment();
    }

private:
    [[nodiscard]] QMimeType typeOf(const QFileInfo& info) const
    {
        return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }
};

} // namespace

DrawingActions::DrawingActions(PlottingAreaWidget& area, QWidget& window)
    : QObject(&window), area_(&area), window_(&window), folder_(QDir::homePath())
{
    copy = action(QStringLiteral("Kopieren"), QKeySequence::Copy, this);
    save = action(QStringLiteral("Speichern unter…"), QKeySequence::Save, this);
    print = action(QStringLiteral("Drucken…"), QKeySequence::Print, this);
    connect(copy, &QAction::triggered, this, &DrawingActions::copyDrawing);
    connect(save, &QAction::triggered, this, &DrawingActions::saveDrawing);
    connect(print, &QAction::triggered, this, &DrawingActions::printDrawing);
}

drawing::Sheet DrawingActions::sheet() const { return {area_->size(), area_->sizeInInches(), area_->background()}; }

bool DrawingActions::windowGone() const { return !window_ || !area_ || !window_->isVisible(); }

void DrawingActions::copyDrawing()
{
    if (!windowGone())
        QGuiApplication::clipboard()->setMimeData(drawing::clipboardData(area_->drawing(), sheet()));
}

void DrawingActions::saveDrawing()
{
    if (windowGone())
        return;
    QStringList filters;
    for (const FileFormat format : drawing::kFileFormats)
        filters << drawing::filterText(format);
    NameOnlyIcons icons;
    QFileDialog dialog(window_, QStringLiteral("Speichern unter"), folder_);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // It would ask about the name as typed, not as written with its suffix.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(drawing::filterText(format_));
    dialog.selectFile(QStringLiteral("Kurve.") + drawing::suffix(format_));
    std::optional<drawing::SaveTarget> target;
    while (!target) {
        const int answer = dialog.exec();
        if (windowGone())
            return;
        window_->activateWindow(); // also where no window manager gives the focus back
        if (answer != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        const auto chosen = static_cast<std::size_t>(std::max(0, int(filters.indexOf(dialog.selectedNameFilter()))));
        target = drawing::saveTarget(dialog.selectedFiles().constFirst(), drawing::kFileFormats.at(chosen));
        const QFileInfo file(target->path);
        if (file.completeBaseName().isEmpty()) { // nothing but dots or blanks: no name to write
            dialog.selectFile(QStringLiteral("Kurve.") + drawing::suffix(target->format));
            target.reset();
        } else if (file.isFile() && !mayReplace(target->path)) {
            if (windowGone())
                return;
            dialog.selectFile(file.fileName());
            target.reset();
        }
    }
    if (const auto failure = drawing::save(area_->drawing(), sheet(), *target)) {
        tell(*failure);
        return;
    }
    folder_ = QFileInfo(target->path).absolutePath();
    format_ = target->format;
}

void DrawingActions::printDrawing()
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
    if (const auto failure = ui::print(area_->drawing(), sheet(), printer))
        tell(*failure);
}

bool DrawingActions::mayReplace(const QString& path)
{
    QMessageBox box(
        QMessageBox::Warning, QCoreApplication::applicationName(),
        QStringLiteral("„%1“ existiert bereits.\nSoll die Datei ersetzt werden?").arg(QDir::toNativeSeparators(path)),
        QMessageBox::Yes | QMessageBox::No, window_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void DrawingActions::tell(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text, QMessageBox::Ok, window_);
    box.exec();
    if (!windowGone())
        window_->activateWindow();
}

} // namespace kurvix::ui
