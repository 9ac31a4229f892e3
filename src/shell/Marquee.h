#pragma once

#include <QString>

namespace vtr::shell {

// The scrolling caption of the hovered label: the text runs to the left, one
// character a step, with four spaces between its end and its start. Only the
// text; the window's timer calls `tick` every 200 ms.
class Marquee {
  public:
    // The pointer entered the label: its caption is saved and starts over.
    void enter(const QString& labelName, const QString& caption);
    // One step: the text the remembered label shows now.
    const QString& tick();
    // A language switch: the step count starts over and both the saved
    // caption and the running text become `caption`; the label stays.
    void reset(const QString& caption);

    const QString& labelName() const { return labelName_; }
    const QString& savedCaption() const { return saved_; }
    const QString& text() const { return working_; }
    int ticks() const { return ticks_; }

  private:
    QString labelName_;
    QString saved_;
    QString working_;
    int ticks_ = 0;
};

}  // namespace vtr::shell
