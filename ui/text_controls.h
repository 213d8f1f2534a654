#pragma once

#include "runtime/controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <string>

namespace kurvix::ui {

// A line edit whose text the plot command reads at every sample. The text is
// converted once per edit, so reads share it instead of copying it.
class TermField : public QLineEdit, public TextBox {
public:
    explicit TermField(const QString& text, QWidget* parent = nullptr);
    Result<TextRef> Text() override { return TextRef(text_); }

private:
    SharedText text_ = makeText("");
};

class UnitBox : public QComboBox, public TextBox {
public:
    UnitBox(const QStringList& items, const QString& text, QWidget* parent = nullptr);
    Result<TextRef> Text() override { return TextRef(text_); }

private:
    SharedText text_ = makeText("");
};

// Keeps the latest caption at once; shows it when the window presents a frame.
class StatusLabel : public QLabel, public Label {
public:
    explicit StatusLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {}
    Status Caption(std::string_view caption) override;
    void present();
    [[nodiscard]] QString caption() const;

private:
    std::string pending_;
    bool hasPending_ = false;
};

} // namespace kurvix::ui
