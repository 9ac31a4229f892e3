#pragma once

#include <thread>

namespace vtr::shell {

// Reads the system's font list on a thread of its own while the window is
// being built, so that the first frame does not wait for it (the font
// database is shared by all threads and safe to fill from any). Create it
// after the application object; it joins its thread when destroyed.
class FontWarmup {
  public:
    FontWarmup();
    ~FontWarmup();
    FontWarmup(const FontWarmup&) = delete;
    FontWarmup& operator=(const FontWarmup&) = delete;

  private:
    std::thread thread_;
};

}  // namespace vtr::shell
