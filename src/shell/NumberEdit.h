#pragma once

#include <QColor>
#include <QLineEdit>
#include <QString>

#include "text/NumberBox.h"

namespace vtr::shell {

// A small decimal entry box of the pages: digits and Backspace only, at most
// the rule's length, pasted text reduced to its digits as far as there is
// room; on leaving it the rule's leave rule is applied to the text. Named
// (objectName) as the window addresses it ("Edt_Repeat1").
class NumberEdit final : public QLineEdit {
    Q_OBJECT
  public:
    NumberEdit(const QString& name, text::NumberBox::Rule rule, QWidget* parent);

    const text::NumberBox::Rule& rule() const { return rule_; }
    // The text as the program sets it (a decoded value), not filtered.
    void setNumberText(const QString& text);
    void setValue(int value) { setNumberText(QString::number(value)); }
    // The value the leave rule gives for the text now, without changing it.
    int value() const;
    // The leave rule applied to the text now (as leaving does).
    void normalise();

    void setColours(const QColor& text, const QColor& background);

  signals:
    // The box was left; the leave rule has been applied to its text.
    void left(vtr::shell::NumberEdit* edit);

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    text::NumberBox::Rule rule_;
};

}  // namespace vtr::shell
