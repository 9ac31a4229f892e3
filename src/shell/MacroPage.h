#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "macros/MacroEditor.h"
#include "macros/MacroRecorder.h"
#include "platform/InputCapture.h"
#include "shell/HoverStates.h"
#include "shell/MacroNameDialog.h"

class QComboBox;
class QListWidget;

namespace vtr::shell {

class DelayBox;
class ImageControl;
class InputBlocker;
class LabelButton;
class MainWindow;
class StepView;

// The Macro page (4): macro names, the step view, the record, delay and insert panels, the macro
// name dialog and macro files. Its controls live in the window's page container and are registered
// with the window by name, so the layout places them and tests find them. Every click goes to the
// macro editor (or its recorder) and the page then draws the editor's state again.
class MacroPage final : public QObject {
    Q_OBJECT
  public:
    explicit MacroPage(MainWindow& window);
    ~MacroPage() override;

    // The recorder's clock (milliseconds, monotonic); tests set their own.
    void setClock(std::function<std::uint32_t()> clock) { clock_ = std::move(clock); }
    // The name dialog while it is open; null otherwise.
    MacroNameDialog* nameDialog() const { return nameDialog_; }
    // Everything drawn again from the macro editor.
    void refresh();

  private:
    struct Pair {
        ImageControl* image = nullptr;
        LabelButton* label = nullptr;
    };
    class Lamp;

    void build();
    Pair makePair(const QString& name, QWidget* parent, const char* picture);
    LabelButton* makeLabel(const QString& name, QWidget* parent, QSize size);
    void attachHover();
    void applyTexts();

    // A click on a page button: its pressed picture, then the action.
    void press(const Pair& pair, const char* picture, const std::function<void()>& action);
    void macroAction(const std::function<macros::MacroResult(macros::MacroEditor&)>& action);
    void recordClick(bool insert);
    void handleRecorder(const macros::RecorderResult& result);
    // The capture delivering to this page; false (its words shown) when it
    // cannot start.
    bool startCapture();
    void onKey(std::uint16_t virtualKey, bool down);
    void onButton(platform::CaptureButton button, bool press);
    void openNameDialog();

    // A caption the page changes (Record / Stop, OK), also while the label's
    // caption scrolls under the pointer.
    void setCaption(LabelButton* label, const QString& caption);
    void refreshNames();
    void refreshButtons();
    void refreshDelayPanel();
    void refreshInsertPanel();
    QColor labelColour() const;
    QColor valueColour() const;
    QColor backColour() const;

    MainWindow& window_;
    QWidget* page_ = nullptr;
    std::function<std::uint32_t()> clock_;
    QElapsedTimer elapsed_;
    macros::KeyboardReceiver keyboard_;
    bool passPending_ = false;

    QListWidget* names_ = nullptr;
    StepView* steps_ = nullptr;
    Pair start_, del_, insert_, clear_, saveMacro_, newName_, newMacro_, delMacro_;
    Pair exportOne_, export_, importOne_, import_;
    QWidget* delayGroup_ = nullptr;
    std::array<Lamp*, 3> delayLamps_{};
    std::array<LabelButton*, 3> delayChoices_{};
    DelayBox* delay_ = nullptr;
    ImageControl* insertBase_ = nullptr;
    QWidget* insertGroup_ = nullptr;
    QComboBox* insertList_ = nullptr;
    DelayBox* insertDelay_ = nullptr;
    LabelButton* delayCaption_ = nullptr;
    LabelButton* unit_ = nullptr;
    std::array<Lamp*, 3> insertLamps_{};
    std::array<LabelButton*, 3> insertChoices_{};
    InputBlocker* insertCover_ = nullptr;
    Pair insertStart_, ok_, cancel_;

    HoverFamily familyF_;
    HoverFamily familyG_;
    HoverFamily familyRecord_;
    QPointer<MacroNameDialog> nameDialog_;
    bool refreshing_ = false;
};

}  // namespace vtr::shell
