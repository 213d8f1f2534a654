#pragma once

// The window's text parts the plot run reads or writes: term fields, the unit box, the status line.

#include "plot/window_parts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <string>

namespace kurvix::ui {

// A term field: a line edit whose text the plot run reads at every sample. The text is
// converted once per edit, so reads share it instead of copying it.
class TermField : public QLineEdit, public TextSource {
public:
    TermField(const QString& text, const QString& name, const QString& description, QWidget* parent = nullptr);
    [[nodiscard]] const SharedText& sharedText() const override { return text_; }

    // Marks the field as one the plot cannot read, saying why ("keine Zahl");
    // an empty text takes the mark away.
    void showProblem(const QString& problem);
    [[nodiscard]] const QString& problem() const { return problem_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SharedText text_ = makeText("");
    QString name_;
    QString description_;
    QString problem_;
};

class UnitBox : public QComboBox, public TextSource {
public:
    UnitBox(const QStringList& items, const QString& text, QWidget* parent = nullptr);
    [[nodiscard]] const SharedText& sharedText() const override { return text_; }

private:
    SharedText text_ = makeText("");
};

// The status line. Keeps the latest text at once; shows it when the window
// presents a frame, shortened with "…" where it does not fit, and whole in
// its tooltip and accessible name.
class StatusLineWidget : public QLabel, public StatusLine {
public:
    explicit StatusLineWidget(const QString& text, QWidget* parent = nullptr);
    void setStatus(std::string_view text) override;
    void present();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void display(const QString& text);

    std::string pending_;
    bool hasPending_ = false;
    QString shown_;
};

} // namespace kurvix::ui
