#include "text_controls.h"

#include <limits>

namespace kurvix::ui {
namespace {

constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

SharedText shared(const QString& text) { return makeText(text.toStdString()); }

} // namespace

TermField::TermField(const QString& text, QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(kNoLengthLimit);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) { text_ = shared(t); });
    setText(text);
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

Status StatusLabel::Caption(std::string_view caption)
{
    pending_.assign(caption);
    hasPending_ = true;
    return {};
}

void StatusLabel::present()
{
    if (!hasPending_)
        return;
    setText(QString::fromStdString(pending_));
    hasPending_ = false;
}

QString StatusLabel::caption() const { return hasPending_ ? QString::fromStdString(pending_) : text(); }

} // namespace kurvix::ui
