#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "macros/MacroEditor.h"
#include "macros/StepList.h"

// The macro recorder: turns key and mouse-button events into step lines while a
// recording runs, counts their bytes and stops itself before macro memory runs
// out. A normal recording (Btn_Start) replaces the selected macro's steps and
// stores them when it stops; an insert recording (Btn_InsertStart of the insert
// panel) puts its lines before or after the selected step, stored only by the
// insert panel's OK.
//
// How the editor drives it, all on the user-interface thread:
// - Btn_StartClick / Btn_InsertStartClick on the two record buttons. A result
//   with `started` means: start the system-wide capture, caption Str401; with
//   `stopped`: end the capture, caption Str400. A recording stopped by its own
//   limits reports `stopped` from the event call that passed the limit.
// - The capture posts each key event as KeyboardHook1Receive (Windows virtual
//   key, key type, time in ms of a monotonic clock) and each mouse-button event
//   as MouseHookProc; after mouse events the editor runs TPThreadPass (what the
//   mouse worker does on each turn), which turns the marks into lines in the
//   fixed order left, right, middle, forward, backward, each press before its
//   release.
// - setPointerOverRecordButton follows the pointer over Btn_Start and
//   Btn_InsertStart, so the click that stops a recording is not recorded.
namespace vtr::macros {

// The key types of the keyboard receiver: the first key-down after a key-up, a
// key-up, and any later key-down (another key while one is held, or a repeat).
enum class KeyType { FirstDown = 0, Up = 1, LaterDown = 2 };

// The keyboard receiver's count of key-downs since the last key-up, which
// tells a first key-down from a later one (another key while one is held).
class KeyboardReceiver {
  public:
    KeyType receive(bool down) {
        if (!down) {
            count_ = 0;
            return KeyType::Up;
        }
        ++count_;
        return count_ == 1 ? KeyType::FirstDown : KeyType::LaterDown;
    }
    int count() const { return count_; }

  private:
    int count_ = 0;
};

struct RecorderResult {
    bool started = false;
    bool stopped = false;
    bool macroChanged = false;
    // Language key of a message to show (Str104), or empty.
    std::string message = {};
    // Step lines added by this call.
    int linesAdded = 0;
};

class MacroRecorder {
  public:
    static constexpr int kRecordedByteLimit = 246;
    static constexpr int kMaxGap = 10200;

    explicit MacroRecorder(MacroEditor& editor) : editor_(editor) {}

    bool recording() const { return editor_.normalRecording_ || editor_.insertRecording_; }
    bool insertMode() const { return editor_.insertRecording_; }
    // The capture is to deliver mouse buttons (the hook's flag).
    bool mouseRecording() const { return mouseRecording_; }
    int byteLimit() const { return byteLimit_; }
    int recordedBytes() const { return recordedBytes_; }
    int heldKeys() const { return heldKeys_; }
    bool stopRequested() const { return stopRequest_; }

    // Btn_StartClick: starts a normal recording into the selected macro (its
    // steps are discarded first; Str104 when even the empty macro leaves no
    // room), or stops the running one and stores its steps.
    RecorderResult Btn_StartClick();
    // Btn_InsertStartClick: starts an insert recording at the selected step
    // (the insert panel open on a key entry, room left), or stops it.
    RecorderResult Btn_InsertStartClick();

    // A key event from the keyboard receiver.
    RecorderResult KeyboardHook1Receive(std::uint16_t virtualKey, KeyType keyType,
                                        std::uint32_t nowMs);
    // A mouse-button event from the hook: sets its mark (left-button events are
    // ignored while the pointer is over a record button).
    void MouseHookProc(MouseButton button, bool press);
    // One turn of the mouse worker: every set mark in the fixed order becomes a
    // line, with the delay before it.
    RecorderResult TPThreadPass(std::uint32_t nowMs);

    void setPointerOverRecordButton(bool over) { pointerOverRecordButton_ = over; }

  private:
    void setByteLimit();
    DelayMode activeMode() const;
    int activeDelay() const;
    void addHeaderIfEmpty();
    bool limitReached(int limit) const;
    // The delay lines before a step; `split` cuts them into lines of at most
    // 2040 ms (mouse steps).
    std::vector<std::string> delayLines(std::uint32_t nowMs, bool split);
    // Adds the delay lines and the step line when the steps still fit the
    // record buffer and the area, counting `stepBytes` for the step; otherwise
    // sets the stop request.
    void addStep(std::vector<std::string> delays, std::string step, int stepBytes,
                 RecorderResult& result);
    bool fits(const std::vector<std::string>& lines) const;
    void applyStopRule(RecorderResult& result);
    void startNormal(RecorderResult& result);
    void stopNormal(RecorderResult& result);
    void stopInsert(RecorderResult& result);

    MacroEditor& editor_;
    std::size_t slot_ = 0;
    bool mouseRecording_ = false;
    bool pointerOverRecordButton_ = false;
    // Press and release marks of the five buttons.
    std::array<std::array<bool, 2>, 5> marks_{};
    int byteLimit_ = 0;
    int recordedBytes_ = 0;
    std::optional<std::uint32_t> lastEventTime_;
    int lastKey_ = -1;
    int heldKeys_ = 0;
    bool stopRequest_ = false;
    int insertPosition_ = 0;
};

}  // namespace vtr::macros
