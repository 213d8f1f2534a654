#include "ui/accessibility.h"

#include "plot/field_check.h"
#include "ui/plotting_area_widget.h"
#include "ui/text_controls.h"

#include <QAbstractItemView>
#include <QAction>
#include <QAccessibleWidget>

namespace kurvix::ui {
namespace {

const QString kFormula = QStringLiteral("f(x) = a1·x^e1 + a2·x^e2 + a3·x^e3 + d");

// Qt names an editable combo box after its text on Linux; this one keeps its
// accessible name, offers its text as its value and opens its list on request.
class UnitBoxAccessible : public QAccessibleWidget {
public:
    explicit UnitBoxAccessible(UnitBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->currentText() : QAccessibleWidget::text(t);
    }
    int childCount() const override { return 2; }
    QAccessibleInterface* child(int index) const override
    {
        QObject* const children[] = {box()->view(), box()->lineEdit()};
        return index >= 0 && index < 2 ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child->object() == box()->view() ? 0 : child->object() == box()->lineEdit() ? 1 : -1;
    }
    QAccessibleInterface* focusChild() const override { return child(1); }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    [[nodiscard]] UnitBox* box() const { return static_cast<UnitBox*>(widget()); }
};

// The drawing's actions (copy, save, print) as the area's own, so that a
// screen reader can invoke them. They run after the request is answered, as
// their dialogs would otherwise hold the reply.
class AreaAccessible : public QAccessibleWidget {
public:
    explicit AreaAccessible(PlottingAreaWidget* area) : QAccessibleWidget(area, QAccessible::Graphic) {}

    QStringList actionNames() const override
    {
        QStringList names;
        for (const QAction* a : widget()->actions())
            names << a->text();
        return names + QAccessibleWidget::actionNames();
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        const QAction* a = find(name);
        return a ? QStringList{a->shortcut().toString(QKeySequence::NativeText)}
                 : QAccessibleWidget::keyBindingsForAction(name);
    }
    void doAction(const QString& name) override
    {
        if (QAction* a = find(name))
            QMetaObject::invokeMethod(a, &QAction::trigger, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(name);
    }

private:
    [[nodiscard]] QAction* find(const QString& name) const
    {
        for (QAction* a : widget()->actions())
            if (a->text() == name)
                return a;
        return nullptr;
    }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (object->inherits("kurvix::ui::PlotWindow"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window); // a frame, not a filler
    if (auto* area = qobject_cast<PlottingAreaWidget*>(object))
        return new AreaAccessible(area);
    if (auto* box = dynamic_cast<UnitBox*>(object))
        return new UnitBoxAccessible(box);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

QString termFieldName(int field) { return QString::fromStdString(fieldName(field)); }

QString termFieldDescription(int field)
{
    if (field == 10)
        return QStringLiteral("Die Konstante d in %1").arg(kFormula);
    const QString parts[] = {QStringLiteral("Der Zähler des Koeffizienten a%1 in %2"),
                             QStringLiteral("Der Nenner des Koeffizienten a%1 in %2"),
                             QStringLiteral("Der Exponent e%1 in %2")};
    return parts[(field - 1) % 3].arg((field - 1) / 3 + 1).arg(kFormula);
}

} // namespace kurvix::ui
