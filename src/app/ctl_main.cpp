#include <iostream>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

#include "app/Ctl.h"
#include "app/SimulateOption.h"
#include "device/hidapi_backend.h"
#include "platform/SystemPointerStore.h"

int main(int argc, char** argv) {
    vtr::device::SystemClock clock;
    vtr::app::CtlEnvironment env;
    env.realBackend = [] { return std::make_unique<vtr::device::HidapiBackend>(); };
    env.clock = &clock;
    env.out = &std::cout;
    env.err = &std::cerr;
    env.errIsTerminal = isatty(STDERR_FILENO) != 0;
    env.defaultSimulateFile = vtr::app::DefaultSimulateFile();
    env.pointerStore = [] { return vtr::platform::OpenSystemPointerStore(); };
    return vtr::app::RunCtl({argv + 1, argv + argc}, env);
}
