#include "shell/HoverStates.h"

#include "shell/SkinControls.h"

namespace vtr::shell {

HoverStates::HoverStates(std::function<bool()> devicePresent)
    : devicePresent_(std::move(devicePresent)) {
    timer_.setInterval(kMarqueeIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &HoverStates::tick);
}

void HoverStates::attach(LabelButton* label, const HoverFamily* family,
                         std::vector<ImageControl*> images) {
    bindings_.insert(label, Binding{family, std::move(images)});
    connect(label, &LabelButton::entered, this, &HoverStates::onEnter);
    connect(label, &LabelButton::left, this, &HoverStates::onLeave);
    connect(label, &QObject::destroyed, this, [this, label] { bindings_.remove(label); });
}

void HoverStates::onEnter(LabelButton* label) {
    if (suspended_ || hovered_ == label) {
        return;
    }
    if (hovered_) {
        // Its leave was not seen (it came while suspended).
        LabelButton* previous = hovered_;
        hovered_ = nullptr;
        leaveActions(previous);
    }
    hovered_ = label;
    enterActions(label);
}

void HoverStates::onLeave(LabelButton* label) {
    if (suspended_ || hovered_ != label) {
        return;
    }
    hovered_ = nullptr;
    leaveActions(label);
}

void HoverStates::endHover(LabelButton* label) {
    onLeave(label);
}

void HoverStates::setSuspended(bool suspended) {
    if (suspended == suspended_) {
        return;
    }
    suspended_ = suspended;
    if (suspended_) {
        return;
    }
    if (hovered_ && !(hovered_->isVisible() && hovered_->underMouse())) {
        LabelButton* previous = hovered_;
        hovered_ = nullptr;
        leaveActions(previous);
    }
    if (hovered_) {
        return;
    }
    for (auto it = bindings_.cbegin(); it != bindings_.cend(); ++it) {
        LabelButton* label = it.key();
        if (label->isVisible() && label->underMouse()) {
            onEnter(label);
            break;
        }
    }
}

void HoverStates::showHover(const Binding& binding, bool entering) {
    const HoverFamily& family = *binding.family;
    if (!family.needsDevice || devicePresent_()) {
        for (ImageControl* image : binding.images) {
            image->setPicture(entering ? family.enterPicture : family.leavePicture);
        }
    }
    if (family.hovering) {
        family.hovering(entering);
    }
}

void HoverStates::enterActions(LabelButton* label) {
    const auto it = bindings_.constFind(label);
    if (it == bindings_.cend()) {
        return;
    }
    const HoverFamily& family = *it->family;
    showHover(*it, true);
    if (family.marquee) {
        marquee_.enter(label->objectName(), label->caption());
        remembered_ = label;
        if (label->isEnabled()) {
            timer_.start();
        }
    }
}

void HoverStates::leaveActions(LabelButton* label) {
    const auto it = bindings_.constFind(label);
    if (it == bindings_.cend()) {
        return;
    }
    const HoverFamily& family = *it->family;
    showHover(*it, false);
    if (family.afterLeave) {
        family.afterLeave();
    }
    timer_.stop();
    if (remembered_) {
        remembered_->setCaption(marquee_.savedCaption());
    }
}

void HoverStates::tick() {
    if (!remembered_) {
        timer_.stop();
        return;
    }
    remembered_->setCaption(marquee_.tick());
}

void HoverStates::resetMarquee(const QString& caption) {
    marquee_.reset(caption);
}

}  // namespace vtr::shell
