// uhid-mouse: puts a VTR6420KD mouse on a Linux machine through /dev/uhid, as two
// HID devices with the mouse's ids (1BCF:08A0):
//   - the configuration interface: a vendor-defined collection with the 8-byte
//     feature report (ID 4) served by the same firmware model the simulated
//     backend uses;
//   - the pointer interface: a plain 3-button mouse with X, Y and wheel input
//     reports and no feature report; every report request to it fails with EIO.
// Both report descriptors are the simulated mouse's (device/MouseDescriptors.h).
// The kernel gives each a hidraw node, so the real hidapi backend can be tested
// against it without the hardware. Runs until SIGTERM or SIGINT, then destroys
// both devices.
//
//   uhid-mouse [--type=2|10] [--eeprom=FILE] [--ready-file=PATH] [--verbose]
//
//   --type=2|10        device type of a fresh mouse (default 10)
//   --eeprom=FILE      load the 1024-byte memory from FILE if it exists; save it
//                      there after every transaction that wrote to it and on exit
//   --ready-file=PATH  create PATH once a driver has started both devices
//   --verbose          log every report on stderr
//
// Exit status: 0 after a signal, 1 when /dev/uhid fails, 2 on bad arguments.
#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/MouseDescriptors.h"
#include "device/MouseFirmware.h"
#include "device/Protocol.h"
#include "image/FileIo.h"
#include "image/MemoryMap.h"

namespace {

namespace fs = std::filesystem;
namespace proto = vtr::device::protocol;
using vtr::device::MouseFirmware;

constexpr const char* kDeviceName = "VTR6420KD Gaming Mouse";

bool gVerbose = false;

void log(const std::string& message) {
    std::fprintf(stderr, "uhid-mouse: %s\n", message.c_str());
}

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", byte);
        text += hex;
    }
    return text;
}

const char* reportTypeName(std::uint8_t type) {
    switch (type) {
        case UHID_FEATURE_REPORT:
            return "feature";
        case UHID_OUTPUT_REPORT:
            return "output";
        case UHID_INPUT_REPORT:
            return "input";
        default:
            return "unknown";
    }
}

// The memory image behind the configuration interface and the file it lives in.
class Mouse {
  public:
    Mouse(int deviceType, std::optional<fs::path> file)
        : firmware_(deviceType), file_(std::move(file)) {}

    // Loads the file when one is given and exists. Returns the reason on failure.
    std::optional<std::string> load(bool typeGiven, int deviceType) {
        if (!file_ || !fs::exists(*file_)) {
            return std::nullopt;
        }
        std::string error;
        const auto bytes = vtr::image::ReadFileBytes(*file_, vtr::image::kEepromSize, error);
        if (!bytes) {
            return file_->string() + ": " + error;
        }
        if (bytes->size() != vtr::image::kEepromSize) {
            return file_->string() + ": " + std::to_string(bytes->size()) +
                   " bytes; a memory file has " + std::to_string(vtr::image::kEepromSize);
        }
        std::copy(bytes->begin(), bytes->end(), firmware_.eeprom().begin());
        if (typeGiven && firmware_.deviceType() != deviceType) {
            return file_->string() + " holds a mouse of device type " +
                   std::to_string(firmware_.deviceType()) + ", not " + std::to_string(deviceType);
        }
        return std::nullopt;
    }

    MouseFirmware& firmware() { return firmware_; }

    // Saves the memory when a command changed it since the last save.
    void saveIfWritten() {
        dirty_ = firmware_.takeWritten() || dirty_;
        if (!file_ || !dirty_) {
            return;
        }
        if (const auto error = vtr::image::WriteFileAtomically(*file_, firmware_.eeprom())) {
            log("cannot save the memory: " + *error);
            return;
        }
        dirty_ = false;
    }

    // Notes a write; the file is brought up to date at the end of the transaction.
    void noteWrite() { dirty_ = firmware_.takeWritten() || dirty_; }

  private:
    MouseFirmware firmware_;
    std::optional<fs::path> file_;
    bool dirty_ = false;
};

// One uhid device: one open /dev/uhid.
class UhidDevice {
  public:
    enum class Role { Configuration, Pointer };

    UhidDevice(Role role, Mouse& mouse) : role_(role), mouse_(mouse) {}
    ~UhidDevice() { destroy(); }
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    const char* name() const { return role_ == Role::Configuration ? "configuration" : "pointer"; }
    int fd() const { return fd_; }
    bool started() const { return started_; }

    // Opens /dev/uhid and creates the device. Returns the reason on failure.
    std::optional<std::string> create() {
        fd_ = ::open("/dev/uhid", O_RDWR | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) {
            return std::string("cannot open /dev/uhid: ") + std::strerror(errno) +
                   " (is the uhid module loaded?)";
        }
        namespace desc = vtr::device::descriptors;
        const std::span<const std::uint8_t> descriptor =
            role_ == Role::Configuration ? std::span<const std::uint8_t>(desc::kConfiguration)
                                         : std::span<const std::uint8_t>(desc::kPointer);
        uhid_event event{};
        event.type = UHID_CREATE2;
        auto& create = event.u.create2;
        std::snprintf(reinterpret_cast<char*>(create.name), sizeof create.name, "%s", kDeviceName);
        std::snprintf(reinterpret_cast<char*>(create.phys), sizeof create.phys, "uhid-mouse/%s",
                      name());
        create.rd_size = static_cast<__u16>(descriptor.size());
        std::copy(descriptor.begin(), descriptor.end(), create.rd_data);
        create.bus = BUS_USB;
        create.vendor = proto::kVendorId;
        create.product = proto::kProductId;
        create.version = 0x0100;
        create.country = 0;
        if (!send(event)) {
            return std::string("cannot create the ") + name() + " device: " + std::strerror(errno);
        }
        return std::nullopt;
    }

    void destroy() {
        if (fd_ < 0) {
            return;
        }
        uhid_event event{};
        event.type = UHID_DESTROY;
        send(event);
        ::close(fd_);
        fd_ = -1;
    }

    // Handles the events waiting on the device. False when the device is gone.
    bool handleEvents() {
        for (;;) {
            uhid_event event{};
            const ssize_t n = ::read(fd_, &event, sizeof event);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                return true;
            }
            if (n < 0) {
                log(std::string(name()) + ": read: " + std::strerror(errno));
                return false;
            }
            if (n == 0) {
                log(std::string(name()) + ": /dev/uhid closed");
                return false;
            }
            if (!handle(event)) {
                return false;
            }
        }
    }

  private:
    bool send(const uhid_event& event) {
        for (;;) {
            const ssize_t n = ::write(fd_, &event, sizeof event);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            return n == static_cast<ssize_t>(sizeof event);
        }
    }

    bool handle(const uhid_event& event) {
        switch (event.type) {
            case UHID_START:
                started_ = true;
                log(std::string(name()) + ": started");
                return true;
            case UHID_STOP:
                started_ = false;
                log(std::string(name()) + ": stopped");
                return true;
            case UHID_OPEN:
                log(std::string(name()) + ": opened");
                return true;
            case UHID_CLOSE:
                log(std::string(name()) + ": closed");
                return true;
            case UHID_OUTPUT:
                return true;  // no LEDs or other outputs
            case UHID_GET_REPORT:
                return getReport(event.u.get_report);
            case UHID_SET_REPORT:
                return setReport(event.u.set_report);
            default:
                if (gVerbose) {
                    log(std::string(name()) + ": ignoring event " + std::to_string(event.type));
                }
                return true;
        }
    }

    bool isOurFeatureReport(std::uint8_t type, std::uint8_t number) const {
        return role_ == Role::Configuration && type == UHID_FEATURE_REPORT &&
               number == proto::kReportId;
    }

    bool getReport(const uhid_get_report_req& request) {
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = request.id;
        std::array<std::uint8_t, proto::kReportLength> report{};
        report[0] = proto::kReportId;
        if (isOurFeatureReport(request.rtype, request.rnum) && mouse_.firmware().answer(report)) {
            reply.u.get_report_reply.err = 0;
            reply.u.get_report_reply.size = static_cast<__u16>(report.size());
            std::copy(report.begin(), report.end(), reply.u.get_report_reply.data);
            if (gVerbose) {
                log(std::string(name()) + ": get" + hexBytes(report));
            }
        } else {
            reply.u.get_report_reply.err = EIO;
            log(std::string(name()) + ": refused get of " + reportTypeName(request.rtype) +
                " report " + std::to_string(request.rnum));
        }
        return sendReply(reply);
    }

    bool setReport(const uhid_set_report_req& request) {
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = request.id;
        const std::size_t size = std::min<std::size_t>(request.size, UHID_DATA_MAX);
        const std::span<const std::uint8_t> data(request.data, size);
        bool taken = false;
        if (isOurFeatureReport(request.rtype, request.rnum)) {
            taken = mouse_.firmware().receive(data);
        }
        if (taken) {
            reply.u.set_report_reply.err = 0;
            if (gVerbose) {
                log(std::string(name()) + ": set" + hexBytes(data));
            }
            mouse_.noteWrite();
            if (data.size() > 1 && data[1] == proto::CloseCmd) {
                mouse_.saveIfWritten();
            }
        } else {
            reply.u.set_report_reply.err = EIO;
            log(std::string(name()) + ": refused set of " + reportTypeName(request.rtype) +
                " report " + std::to_string(request.rnum) + ":" + hexBytes(data));
        }
        return sendReply(reply);
    }

    bool sendReply(const uhid_event& reply) {
        if (!send(reply)) {
            log(std::string(name()) + ": cannot reply: " + std::strerror(errno));
            return false;
        }
        return true;
    }

    Role role_;
    Mouse& mouse_;
    int fd_ = -1;
    bool started_ = false;
};

volatile sig_atomic_t gStop = 0;

void onSignal(int) {
    gStop = 1;
}

struct Options {
    int deviceType = vtr::image::kDeviceType10;
    bool typeGiven = false;
    std::optional<fs::path> eeprom;
    std::optional<fs::path> readyFile;
};

constexpr const char* kUsage =
    "Usage: uhid-mouse [--type=2|10] [--eeprom=FILE] [--ready-file=PATH] [--verbose]\n";

std::optional<Options> parseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--type=2") {
            options.deviceType = vtr::image::kDeviceType2;
            options.typeGiven = true;
        } else if (arg == "--type=10") {
            options.deviceType = vtr::image::kDeviceType10;
            options.typeGiven = true;
        } else if (arg.rfind("--eeprom=", 0) == 0 && arg.size() > 9) {
            options.eeprom = arg.substr(9);
        } else if (arg.rfind("--ready-file=", 0) == 0 && arg.size() > 13) {
            options.readyFile = arg.substr(13);
        } else if (arg == "--verbose") {
            gVerbose = true;
        } else {
            std::fprintf(stderr, "uhid-mouse: bad argument '%s'\n%s", arg.c_str(), kUsage);
            return std::nullopt;
        }
    }
    return options;
}

bool touch(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        log("cannot create " + path.string() + ": " + std::strerror(errno));
        return false;
    }
    ::close(fd);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = parseArguments(argc, argv);
    if (!options) {
        return 2;
    }
    Mouse mouse(options->deviceType, options->eeprom);
    if (const auto error = mouse.load(options->typeGiven, options->deviceType)) {
        log(*error);
        return 2;
    }

    // The signals stay blocked except inside ppoll, so none is lost between the
    // check of gStop and the wait.
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigset_t blocked;
    sigset_t waiting;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGINT);
    sigprocmask(SIG_BLOCK, &blocked, &waiting);
    sigdelset(&waiting, SIGTERM);
    sigdelset(&waiting, SIGINT);

    // The pointer interface is created first and so gets the lower hidraw number:
    // a tool that takes the first node with the mouse's ids picks the wrong one.
    std::array<UhidDevice, 2> devices = {
        UhidDevice(UhidDevice::Role::Pointer, mouse),
        UhidDevice(UhidDevice::Role::Configuration, mouse),
    };
    for (UhidDevice& device : devices) {
        if (const auto error = device.create()) {
            log(*error);
            return 1;
        }
    }
    log("created the pointer and the configuration interface of a type-" +
        std::to_string(mouse.firmware().deviceType()) + " mouse");

    bool ready = false;
    int status = 0;
    while (!gStop) {
        std::array<pollfd, 2> fds{};
        for (std::size_t i = 0; i < devices.size(); ++i) {
            fds[i] = {devices[i].fd(), POLLIN, 0};
        }
        const int n = ::ppoll(fds.data(), fds.size(), nullptr, &waiting);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            log(std::string("poll: ") + std::strerror(errno));
            status = 1;
            break;
        }
        bool alive = true;
        for (std::size_t i = 0; i < devices.size(); ++i) {
            if (fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) {
                log(std::string(devices[i].name()) + ": /dev/uhid reports an error");
                alive = false;
            } else if (fds[i].revents & POLLIN) {
                alive = devices[i].handleEvents() && alive;
            }
        }
        if (!alive) {
            status = 1;
            break;
        }
        if (!ready && devices[0].started() && devices[1].started()) {
            ready = true;
            if (options->readyFile && !touch(*options->readyFile)) {
                status = 1;
                break;
            }
        }
    }

    for (UhidDevice& device : devices) {
        device.destroy();
    }
    mouse.saveIfWritten();
    log(gStop ? "stopped by a signal; devices destroyed" : "devices destroyed");
    return status;
}
