#pragma once

#include <QColor>
#include <QLineEdit>
#include <functional>

#include "macros/MacroInputs.h"

namespace vtr::shell {

// A delay box of the macro page (Edt_Delay, Edt_InsertDelay): what the user
// types or pastes goes through the macro editor's delay rule, and the box
// shows the rule's text. Read-only while the rule is not editable.
class DelayBox final : public QLineEdit {
    Q_OBJECT
  public:
    DelayBox(const QString& name, std::function<macros::DelayEdit&()> edit, QWidget* parent);

    // The rule's text and editability shown again; `active` boxes take the
    // value colour, the others grey.
    void refresh(bool active, const QColor& value, const QColor& back);

  signals:
    void edited();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void paste(const QString& text);
    void showRule();

    std::function<macros::DelayEdit&()> edit_;
};

}  // namespace vtr::shell
