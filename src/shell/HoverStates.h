#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

#include "shell/Marquee.h"
#include "shell/SkinControls.h"

namespace vtr::shell {

// What hovering one family of label buttons does to the pictures under them.
struct HoverFamily {
    QString enterPicture;
    QString leavePicture;
    // The caption scrolls while the pointer rests on the label.
    bool marquee = true;
    // Pictures change only while the mouse is present.
    bool needsDevice = false;
    // After the leave picture: e.g. the selected state shown again.
    std::function<void()> afterLeave;
    // Told true on enter and false on leave.
    std::function<void(bool)> hovering;
};

// The hover behaviour of every label button of the window: the pictures of
// each label's family on enter and leave, and the one marquee with its 200 ms
// timer. Families are plain data, so each page attaches its own.
class HoverStates final : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMarqueeIntervalMs = 200;

    explicit HoverStates(std::function<bool()> devicePresent);

    // `label` belongs to `family` (which must outlive it) and changes `images`.
    void attach(LabelButton* label, const HoverFamily* family, std::vector<ImageControl*> images);

    // While suspended (input blockers up) enter and leave are not acted on;
    // on resuming, a label the pointer has left meanwhile gets its leave and
    // the label it rests on now its enter. A label the pointer never left
    // keeps its pictures, so a pressed picture stays through a transfer.
    void setSuspended(bool suspended);

    // The hover on `label` ends as if the pointer had left it (a click that
    // opens a menu from it); nothing when it is not the hovered label.
    void endHover(LabelButton* label);

    // A language switch: see Marquee::reset.
    void resetMarquee(const QString& caption);

    const Marquee& marquee() const { return marquee_; }
    QTimer& timer() { return timer_; }
    LabelButton* hovered() const { return hovered_; }

  private:
    struct Binding {
        const HoverFamily* family = nullptr;
        std::vector<ImageControl*> images;
    };

    void onEnter(LabelButton* label);
    void onLeave(LabelButton* label);
    // The family's pictures on the bound images (unless it needs a device and
    // none is there) and its hovering callback.
    void showHover(const Binding& binding, bool entering);
    void enterActions(LabelButton* label);
    void leaveActions(LabelButton* label);
    void tick();

    std::function<bool()> devicePresent_;
    QHash<LabelButton*, Binding> bindings_;
    Marquee marquee_;
    QTimer timer_;
    QPointer<LabelButton> remembered_;
    QPointer<LabelButton> hovered_;
    bool suspended_ = false;
};

}  // namespace vtr::shell
