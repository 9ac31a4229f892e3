#include "platform/X11InputCapture.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/HeldInputFilter.h"
#include "platform/KeysymVirtualKeys.h"

// The X headers come last: they define macros (None, Bool, Status, ...) that
// the headers above must not see.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace vtr::platform {
namespace {

constexpr const char* kNoEventLoop =
    "Recording keys and mouse buttons needs the application's event loop, which is not running.";

// Why no X server can be reached, in words for the user.
std::string NoXServerText() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland != nullptr && *wayland != '\0') {
        return "Recording keys and mouse buttons needs an X server, and this Wayland session "
               "offers none (XWayland is not running: DISPLAY is not set). Wayland lets no "
               "program see the keys and buttons meant for other windows. Start XWayland, or "
               "log in to an X11 session, to record macros.";
    }
    return "Recording keys and mouse buttons needs an X server (DISPLAY is not set): keys "
           "and buttons are seen through the X server's input extension. Start the editor in "
           "a graphical session (X11, or Wayland with XWayland) to record macros.";
}

// A broken X connection ends the program in Xlib's process-wide handler,
// whatever the connection's own exit handler says. For the captures'
// connections that handler returns instead (the capture then stops reporting);
// for every other connection the handler that was there before runs.
class BrokenConnections {
  public:
    static void add(Display* display) {
        std::call_once(installed_, [] { previous_ = XSetIOErrorHandler(Handle); });
        const std::lock_guard lock(mutex_);
        ours_.push_back(display);
    }
    // After XCloseDisplay.
    static void remove(Display* display) {
        const std::lock_guard lock(mutex_);
        ours_.erase(std::remove(ours_.begin(), ours_.end(), display), ours_.end());
    }

  private:
    static int Handle(Display* display) {
        {
            const std::lock_guard lock(mutex_);
            if (std::find(ours_.begin(), ours_.end(), display) != ours_.end()) {
                return 0;
            }
        }
        return previous_ != nullptr ? previous_(display) : 0;
    }

    static inline std::once_flag installed_;
    static inline XIOErrorHandler previous_ = nullptr;
    static inline std::mutex mutex_;
    static inline std::vector<Display*> ours_;
};

// Called by Xlib instead of ending the program when the connection breaks.
void NoteIoError(Display*, void* flag) {
    *static_cast<bool*>(flag) = true;
}

Display* OpenDisplay(const char* name, bool* ioError) {
    Display* display = XOpenDisplay(name);
    if (display != nullptr) {
        BrokenConnections::add(display);
        XSetIOErrorExitHandler(display, NoteIoError, ioError);
    }
    return display;
}

void CloseDisplay(Display* display) {
    XCloseDisplay(display);
    BrokenConnections::remove(display);
}

// One thing to tell the sink.
struct Event {
    bool isKey = true;
    std::uint16_t virtualKey = 0;
    CaptureButton button = CaptureButton::Left;
    bool down = false;
};

// What the thread that called `start` keeps: the sink, and the number of the
// capture that may still talk to it. Events of an earlier capture that are
// still queued when the next starts (or after a stop) carry an older number
// and are dropped.
struct Delivery {
    CaptureSink sink;
    std::uint64_t generation = 0;
};

void Deliver(Delivery& delivery, std::uint64_t generation, const Event& event) {
    if (delivery.generation != generation) {
        return;
    }
    // Copies: the sink may stop the capture or start another with a new sink.
    if (event.isKey) {
        auto key = delivery.sink.key;
        if (key) {
            key(event.virtualKey, event.down);
        }
    } else {
        auto button = delivery.sink.button;
        if (button) {
            button(event.button, event.down);
        }
    }
}

// The X connection's reading side, run on the capture's own thread. It owns
// the connection from the moment the thread starts and closes it when it
// ends; it ends when the wake-up pipe becomes readable or the connection
// breaks.
class Listener {
  public:
    Listener(Display* display, int wake, int inputOpcode, int xkbEventBase, bool* ioError,
             QObject* context, std::shared_ptr<Delivery> delivery, std::uint64_t generation)
        : display_(display),
          wake_(wake),
          inputOpcode_(inputOpcode),
          xkbEventBase_(xkbEventBase),
          ioError_(ioError),
          context_(context),
          delivery_(std::move(delivery)),
          generation_(generation) {
        XkbStateRec state{};
        if (XkbGetState(display_, XkbUseCoreKbd, &state) == Success) {
            lockedMods_ = state.locked_mods;
            group_ = state.group;
        }
    }

    void run() {
        pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wake_, POLLIN, 0}};
        for (;;) {
            while (!*ioError_ && XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                handle(event);
            }
            if (*ioError_) {
                break;
            }
            if (poll(fds, 2, -1) < 0) {
                if (errno == EINTR) {
                    continue;
                }
                break;
            }
            if (fds[1].revents != 0) {
                break;
            }
        }
        CloseDisplay(display_);
    }

  private:
    void handle(XEvent& event) {
        if (event.type == GenericEvent && event.xcookie.extension == inputOpcode_) {
            if (XGetEventData(display_, &event.xcookie)) {
                handleRaw(event.xcookie.evtype, *static_cast<XIRawEvent*>(event.xcookie.data));
                XFreeEventData(display_, &event.xcookie);
            }
        } else if (event.type == xkbEventBase_) {
            auto& xkb = reinterpret_cast<XkbEvent&>(event);
            if (xkb.any.xkb_type == XkbStateNotify) {
                lockedMods_ = xkb.state.locked_mods;
                group_ = xkb.state.group;
            } else if (xkb.any.xkb_type == XkbMapNotify) {
                XkbRefreshKeyboardMapping(&xkb.map);
            }
        } else if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        }
    }

    void handleRaw(int type, const XIRawEvent& raw) {
        if (raw.detail < 0) {
            return;
        }
        const auto detail = static_cast<unsigned>(raw.detail);
        switch (type) {
            case XI_RawKeyPress: {
                // Raw events carry no repeats today; should a server send
                // them, the key is down already and the filter drops them.
                const std::optional<std::uint16_t> virtualKey = keyOf(detail);
                if (virtualKey) {
                    const auto reported = filter_.keyDown(detail, *virtualKey);
                    if (reported) {
                        post({true, *reported, CaptureButton::Left, true});
                    }
                }
                break;
            }
            case XI_RawKeyRelease: {
                const auto reported = filter_.keyUp(detail);
                if (reported) {
                    post({true, *reported, CaptureButton::Left, false});
                }
                break;
            }
            case XI_RawButtonPress:
            case XI_RawButtonRelease: {
                const std::optional<CaptureButton> button = CaptureButtonFromPointerButton(detail);
                if (!button) {
                    break;
                }
                const bool press = type == XI_RawButtonPress;
                if (press ? filter_.buttonPress(*button) : filter_.buttonRelease(*button)) {
                    post({false, 0, *button, press});
                }
                break;
            }
            default:
                break;
        }
    }

    // The virtual key of a keycode: by its keysym in the current group, then
    // in the first group (a Latin group beside a non-Latin one), then by its
    // place. The keysym is the one the key gives with no modifier held but
    // Num Lock, so that Shift+1 is still the key 1 and the keypad follows
    // Num Lock.
    std::optional<std::uint16_t> keyOf(unsigned keycode) const {
        if (keycode > 255) {
            return std::nullopt;
        }
        const unsigned numLockMask = XkbKeysymToModifiers(display_, XK_Num_Lock);
        const bool numLock = numLockMask != 0 && (lockedMods_ & numLockMask) != 0;
        const unsigned mods = numLock ? numLockMask : 0;
        for (const int group : {group_, 0}) {
            KeySym keysym = NoSymbol;
            unsigned consumed = 0;
            if (XkbLookupKeySym(display_, static_cast<KeyCode>(keycode),
                                XkbBuildCoreState(mods, group), &consumed, &keysym) &&
                keysym != NoSymbol) {
                const auto virtualKey =
                    VirtualKeyFromKeysym(static_cast<std::uint32_t>(keysym), numLock);
                if (virtualKey) {
                    return virtualKey;
                }
            }
            if (group_ == 0) {
                break;
            }
        }
        return VirtualKeyFromKeycode(keycode);
    }

    void post(const Event& event) {
        QMetaObject::invokeMethod(
            context_,
            [delivery = delivery_, generation = generation_, event] {
                Deliver(*delivery, generation, event);
            },
            Qt::QueuedConnection);
    }

    Display* display_;
    int wake_;
    int inputOpcode_;
    int xkbEventBase_;
    bool* ioError_;
    QObject* context_;
    std::shared_ptr<Delivery> delivery_;
    std::uint64_t generation_;
    unsigned lockedMods_ = 0;
    int group_ = 0;
    HeldInputFilter filter_;
};

}  // namespace

struct X11InputCapture::Impl {
    std::shared_ptr<Delivery> delivery = std::make_shared<Delivery>();
    // Receives the posted events on the thread that called `start`.
    std::unique_ptr<QObject> context;
    std::thread thread;
    // The wake-up pipe: the capture's thread waits on the first end, stop
    // writes to the second. Both stay open until the thread has ended.
    int wakeEnds[2] = {-1, -1};
    // Set by Xlib on the capture's thread; read there only, and freed after
    // the thread ended.
    std::unique_ptr<bool> ioError;
    bool running = false;
};

X11InputCapture::X11InputCapture() : impl_(std::make_unique<Impl>()) {}

X11InputCapture::~X11InputCapture() {
    stop();
}

bool X11InputCapture::start(CaptureSink sink, std::string& error) {
    stop();
    if (QCoreApplication::instance() == nullptr) {
        error = kNoEventLoop;
        return false;
    }
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        error = NoXServerText();
        return false;
    }
    auto ioError = std::make_unique<bool>(false);
    Display* display = OpenDisplay(name, ioError.get());
    if (display == nullptr) {
        error = std::string("Recording keys and mouse buttons needs the X server \"") + name +
                "\", which cannot be reached.";
        return false;
    }

    int inputOpcode = 0;
    int firstEvent = 0;
    int firstError = 0;
    int major = 2;
    int minor = 0;
    if (!XQueryExtension(display, "XInputExtension", &inputOpcode, &firstEvent, &firstError) ||
        XIQueryVersion(display, &major, &minor) != Success || major < 2) {
        CloseDisplay(display);
        error = std::string(
                    "Recording keys and mouse buttons needs version 2 of the X input "
                    "extension, which the X server \"") +
                name + "\" does not offer.";
        return false;
    }
    int xkbOpcode = 0;
    int xkbEventBase = 0;
    int xkbErrorBase = 0;
    int xkbMajor = XkbMajorVersion;
    int xkbMinor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &xkbOpcode, &xkbEventBase, &xkbErrorBase, &xkbMajor,
                           &xkbMinor)) {
        CloseDisplay(display);
        error = std::string(
                    "Recording keys needs the keyboard extension (XKEYBOARD), which the "
                    "X server \"") +
                name + "\" does not offer.";
        return false;
    }

    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask mask{};
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof(bits);
    mask.mask = bits;
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XkbSelectEvents(display, XkbUseCoreKbd, XkbMapNotifyMask, XkbMapNotifyMask);
    XkbSelectEventDetails(display, XkbUseCoreKbd, XkbStateNotify,
                          XkbModifierLockMask | XkbGroupStateMask,
                          XkbModifierLockMask | XkbGroupStateMask);
    // Everything pressed from now on is seen.
    XSync(display, False);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        CloseDisplay(display);
        error = "Recording keys and mouse buttons could not start: the system refused a pipe.";
        return false;
    }
    if (impl_->context == nullptr || impl_->context->thread() != QThread::currentThread()) {
        impl_->context = std::make_unique<QObject>();
    }
    impl_->delivery->sink = std::move(sink);
    const std::uint64_t generation = ++impl_->delivery->generation;
    try {
        impl_->thread =
            std::thread([listener = Listener(display, pipeEnds[0], inputOpcode, xkbEventBase,
                                             ioError.get(), impl_->context.get(), impl_->delivery,
                                             generation)]() mutable { listener.run(); });
    } catch (const std::system_error&) {
        CloseDisplay(display);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        ++impl_->delivery->generation;
        error = "Recording keys and mouse buttons could not start: the system refused a thread.";
        return false;
    }
    impl_->wakeEnds[0] = pipeEnds[0];
    impl_->wakeEnds[1] = pipeEnds[1];
    impl_->ioError = std::move(ioError);
    impl_->running = true;
    return true;
}

void X11InputCapture::stop() {
    if (!impl_->running) {
        return;
    }
    // Whatever is still queued for the sink is dropped from here on.
    ++impl_->delivery->generation;
    const char byte = 1;
    while (write(impl_->wakeEnds[1], &byte, 1) < 0 && errno == EINTR) {
    }
    impl_->thread.join();
    for (int& end : impl_->wakeEnds) {
        close(end);
        end = -1;
    }
    impl_->ioError.reset();
    impl_->delivery->sink = {};
    impl_->running = false;
}

bool X11InputCapture::running() const {
    return impl_->running;
}

}  // namespace vtr::platform
