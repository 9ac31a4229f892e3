#pragma once

#include <QAbstractScrollArea>
#include <functional>

#include "macros/StepList.h"

namespace vtr::shell {

// The macro page's step view (LB_macro): one row per step with the step's
// icon (delay, press, release) and its text, drawn from the macro editor's
// rows; a click selects a row. The rows themselves live in the model: the
// view only asks for their count, their icon and text and the selection.
class StepView final : public QAbstractScrollArea {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 26;
    static constexpr int kTextLeft = 45;
    // The step icons by the first character of a step line.
    static constexpr const char* kIcons[3] = {"StepDelay", "StepPress", "StepRelease"};

    struct Model {
        std::function<int()> rowCount;
        std::function<macros::StepRow(int)> row;
        std::function<int()> selectedRow;
    };

    StepView(const QString& name, Model model, QWidget* parent);

    // The rows changed: the scroll range follows, the view scrolls to `topRow`
    // and then so far that the selected row is in view.
    void refresh(int topRow);
    int topRow() const;
    // Rows fully in view.
    int visibleRows() const;
    // The row under a point of the viewport; -1 below the last row.
    int rowAt(QPoint point) const;

  signals:
    void rowClicked(int row);
    // The user scrolled; the new top row.
    void scrolled(int topRow);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void updateRange();

    Model model_;
    bool settingScroll_ = false;
};

}  // namespace vtr::shell
