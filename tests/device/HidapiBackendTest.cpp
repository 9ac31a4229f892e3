// No real HID device is reachable in unit tests; the data path through a kernel
// is covered by the kernel tests. These check what does not need a device.

#include "device/hidapi_backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef __linux__
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vtr::device {
namespace {

TEST(HidapiBackend, EnumeratesWhateverTheMachineHas) {
    HidapiBackend backend;
    for (const HidInterfaceInfo& info : backend.enumerate()) {
        EXPECT_FALSE(info.path.empty());
    }
}

// hid_init/hid_exit are process-wide: destroying one backend must leave another
// one usable.
TEST(HidapiBackend, OutlivesAnotherBackend) {
    HidapiBackend survivor;
    {
        HidapiBackend other;
        other.enumerate();
    }
    survivor.enumerate();
    std::string error;
    EXPECT_EQ(survivor.open("/nonexistent/hidraw99", &error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(HidapiBackend, OpenFailuresSayWhy) {
    HidapiBackend hidapi;
    HidBackend& backend = hidapi;  // as the transport holds it
    struct Case {
        const char* path;
        const char* expectedInError;
    };
    const Case cases[] = {
        {"/nonexistent/hidraw99", "No such file"},
        {"", "No such file"},
        // These open, but are no hidraw nodes.
        {"/dev/null", "not a hidraw device"},
        {"/proc/self/status", "not a hidraw device"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string error;
        EXPECT_EQ(backend.open(c.path, &error), nullptr);
        EXPECT_FALSE(error.empty());
        EXPECT_NE(error.find(c.expectedInError), std::string::npos) << error;
        EXPECT_EQ(backend.open(c.path), nullptr);  // no error wanted: must not crash
    }
}

#ifdef __linux__
// The common failure with a real mouse: the node exists but this user may not
// open it. Root may open anything, so the check runs in a child that drops to
// an unprivileged user first.
TEST(HidapiBackend, PermissionDeniedIsNamed) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("vtr_hidraw_denied_" + std::to_string(getpid()));
    std::ofstream(file).put('\0');
    ::chmod(file.c_str(), 0);

    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                std::exit(2);
            }
            HidapiBackend backend;
            std::string error;
            const bool refused = backend.open(file.string(), &error) == nullptr;
            std::exit(refused && error.find("permission denied") != std::string::npos ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");

    std::filesystem::remove(file);
}
#endif

}  // namespace
}  // namespace vtr::device
