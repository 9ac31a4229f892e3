#include "device/hidapi_backend.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "device/ReportDescriptor.h"

#ifdef __linux__
#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace vtr::device {

namespace {

// hid_init/hid_exit act on the whole library, so they follow the number of live
// backends: the first one initialises, the last one finalises.
std::mutex gLibraryMutex;
int gLibraryUsers = 0;

void AcquireLibrary() {
    const std::lock_guard lock(gLibraryMutex);
    if (gLibraryUsers++ == 0) {
        // A failure here is not final: hid_enumerate and hid_open_path retry it
        // and report through their own results.
        hid_init();
    }
}

void ReleaseLibrary() {
    const std::lock_guard lock(gLibraryMutex);
    if (--gLibraryUsers == 0) {
        hid_exit();
    }
}

// hidapi's messages are wide strings; ours are UTF-8.
std::string ToUtf8(const wchar_t* text) {
    std::string out;
    if (text == nullptr) {
        return out;
    }
    for (; *text != L'\0'; ++text) {
        const auto c = static_cast<std::uint32_t>(*text);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x110000) {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += '?';
        }
    }
    return out;
}

#ifdef __linux__

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// The kernel keeps each interface's report descriptor next to its hidraw node
// in sysfs, readable without access to the node itself.
std::optional<std::vector<std::uint8_t>> ReadDescriptorFromSysfs(const std::string& devicePath) {
    const std::size_t slash = devicePath.rfind('/');
    const std::string node = slash == std::string::npos ? devicePath : devicePath.substr(slash + 1);
    if (node.rfind("hidraw", 0) != 0) {
        return std::nullopt;
    }
    const std::string sysfsPath = "/sys/class/hidraw/" + node + "/device/report_descriptor";
    const FileDescriptor fd(::open(sysfsPath.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> descriptor(HID_MAX_DESCRIPTOR_SIZE);
    std::size_t filled = 0;
    while (filled < descriptor.size()) {
        const ssize_t n = ::read(fd.get(), descriptor.data() + filled, descriptor.size() - filled);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    if (filled == 0) {
        return std::nullopt;
    }
    descriptor.resize(filled);
    return descriptor;
}

// Asks the hidraw node itself; needs read access to it.
std::optional<std::vector<std::uint8_t>> ReadDescriptorFromNode(const std::string& devicePath) {
    const FileDescriptor fd(::open(devicePath.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return std::nullopt;
    }
    int size = 0;
    if (::ioctl(fd.get(), HIDIOCGRDESCSIZE, &size) < 0 || size <= 0 ||
        size > HID_MAX_DESCRIPTOR_SIZE) {
        return std::nullopt;
    }
    hidraw_report_descriptor raw{};
    raw.size = static_cast<__u32>(size);
    if (::ioctl(fd.get(), HIDIOCGRDESC, &raw) < 0) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(raw.value, raw.value + size);
}

// Checks that `path` is a hidraw node this user may open, the way hid_open_path
// would, so that a failure can be named from errno. It also keeps other files
// away from hidapi 0.13, whose hid_open_path corrupts its heap when the open
// succeeds but the node turns out not to be hidraw.
bool CheckHidrawNode(const std::string& path, std::string* reason) {
    const FileDescriptor fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0) {
        const int err = errno;
        if (err == EACCES || err == EPERM) {
            *reason = "permission denied opening " + path +
                      ": this user may not read and write the device node (a udev rule can "
                      "grant access)";
        } else {
            *reason = "cannot open " + path + ": " + std::strerror(err);
        }
        return false;
    }
    int size = 0;
    if (::ioctl(fd.get(), HIDIOCGRDESCSIZE, &size) < 0) {
        *reason = path + " is not a hidraw device";
        return false;
    }
    return true;
}

#endif  // __linux__

// Longest feature report of the interface at `path`, report ID byte included;
// 0 when it has none or its descriptor cannot be read.
std::uint16_t FeatureReportLength(const std::string& path) {
#ifdef __linux__
    std::optional<std::vector<std::uint8_t>> descriptor = ReadDescriptorFromSysfs(path);
    if (!descriptor) {
        descriptor = ReadDescriptorFromNode(path);
    }
    if (!descriptor) {
        return 0;
    }
    // The kernel accepted this descriptor before creating the node, so its
    // length stands even where this parser is stricter and calls it invalid.
    const ReportDescriptorSummary summary = ParseReportDescriptor(*descriptor);
    return static_cast<std::uint16_t>(summary.featureReportByteLength);
#else
    // hidapi 0.13 cannot fetch report descriptors on other systems
    // (hid_get_report_descriptor arrives in 0.14), so no length is known there.
    (void)path;
    return 0;
#endif
}

class HidapiDevice final : public HidDevice {
  public:
    explicit HidapiDevice(hid_device* device) : device_(device) {}
    ~HidapiDevice() override { hid_close(device_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    int sendFeatureReport(std::span<const std::uint8_t> report) override {
        if (report.empty()) {
            return -1;
        }
        return hid_send_feature_report(device_, report.data(), report.size());
    }

    // hidraw returns as many bytes as the buffer holds, the ID in report[0]
    // included; a buffer shorter than the report silently loses its tail.
    int getFeatureReport(std::span<std::uint8_t> report) override {
        if (report.empty()) {
            return -1;
        }
        return hid_get_feature_report(device_, report.data(), report.size());
    }

  private:
    hid_device* device_;
};

}  // namespace

HidapiBackend::HidapiBackend() {
    AcquireLibrary();
}

HidapiBackend::~HidapiBackend() {
    ReleaseLibrary();
}

std::vector<HidInterfaceInfo> HidapiBackend::enumerate() {
    std::vector<HidInterfaceInfo> interfaces;
    hid_device_info* list = hid_enumerate(0, 0);
    // Every interface is listed as it is: a virtual (uhid) device has bus type
    // 0, interface -1 and no strings, and is still a candidate. hidapi lists an
    // interface once per top-level and physical collection, so a plain mouse
    // comes twice with the same path: each path is kept once.
    for (const hid_device_info* entry = list; entry != nullptr; entry = entry->next) {
        if (entry->path == nullptr ||
            std::any_of(interfaces.begin(), interfaces.end(),
                        [&](const HidInterfaceInfo& known) { return known.path == entry->path; })) {
            continue;
        }
        HidInterfaceInfo info;
        info.path = entry->path;
        info.vendorId = entry->vendor_id;
        info.productId = entry->product_id;
        info.featureReportLength = FeatureReportLength(info.path);
        interfaces.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return interfaces;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const std::string& path, std::string* error) {
    std::string reason;
#ifdef __linux__
    if (!CheckHidrawNode(path, &reason)) {
        if (error != nullptr) {
            *error = std::move(reason);
        }
        return nullptr;
    }
#endif
    errno = 0;
    hid_device* device = hid_open_path(path.c_str());
    const int openErrno = errno;
    if (device != nullptr) {
        return std::make_unique<HidapiDevice>(device);
    }
    if (error != nullptr) {
        reason = ToUtf8(hid_error(nullptr));
        if (!reason.empty() && reason != "Success") {
            *error = std::move(reason);
        } else if (openErrno == EACCES || openErrno == EPERM) {
            *error = "permission denied opening " + path;
        } else if (openErrno != 0) {
            *error = "cannot open " + path + ": " + std::strerror(openErrno);
        } else {
            *error = "cannot open " + path;
        }
    }
    return nullptr;
}

}  // namespace vtr::device
