#pragma once

// Copying, saving and printing the drawing from the plotting area.

#include "drawing/drawing_export.h"

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace kurvix::ui {

class PlottingAreaWidget;

// "Kopieren", "Speichern unter…" and "Drucken…" for the plotting area's
// drawing: the area's context menu and accessible actions, with the
// platform's shortcuts. Dialogs are modal; a run that is yielding waits.
class DrawingActions : public QObject {
    Q_OBJECT

public:
    DrawingActions(PlottingAreaWidget& area, QWidget& window);

    QAction* copy = nullptr;
    QAction* save = nullptr;
    QAction* print = nullptr;

private:
    void copyDrawing();
    void saveDrawing();
    void printDrawing();
    [[nodiscard]] drawing::Sheet sheet() const;
    [[nodiscard]] bool windowGone() const; // closed while a dialog was open
    [[nodiscard]] bool mayReplace(const QString& path);
    void tell(const QString& text);

    QPointer<PlottingAreaWidget> area_;
    QPointer<QWidget> window_;
    QString folder_;
    drawing::FileFormat format_ = drawing::FileFormat::Pdf;
};

} // namespace kurvix::ui
