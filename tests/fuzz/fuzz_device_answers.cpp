// Feeds arbitrary device answers (contents and lengths) to the transport and the
// whole-memory operations: whatever a device says, nothing is read or written
// outside the buffers and the results stay consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "device/DeviceOperations.h"
#include "device/Transport.h"

namespace {

using namespace vtr::device;

class FuzzedDevice final : public HidDevice {
  public:
    FuzzedDevice(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    int sendFeatureReport(std::span<const std::uint8_t> report) override {
        return next() % 4 == 0 ? -1 : static_cast<int>(report.size());
    }
    int getFeatureReport(std::span<std::uint8_t> report) override {
        const std::uint8_t mode = next();
        for (auto& byte : report) {
            byte = next();
        }
        // Mostly full answers, sometimes short or failed ones.
        if (mode < 200) {
            return static_cast<int>(report.size());
        }
        return mode < 230 ? static_cast<int>(mode % report.size()) : -1;
    }

  private:
    std::uint8_t next() {
        if (size_ == 0) {
            return 0xCC;
        }
        const std::uint8_t byte = data_[position_ % size_];
        ++position_;
        return byte;
    }
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

class FuzzedBackend final : public HidBackend {
  public:
    FuzzedBackend(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::vector<HidInterfaceInfo> enumerate() override { return {{"fuzz", 0x1BCF, 0x08A0, 8}}; }
    std::unique_ptr<HidDevice> open(const std::string&, std::string*) override {
        return std::make_unique<FuzzedDevice>(data_, size_);
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedBackend backend(data, size);
    VirtualClock clock;
    Transport transport(backend, clock);
    if (!transport.OpenDevice(0x1BCF, 0x08A0)) {
        std::abort();
    }
    vtr::image::ConfigImage image;
    int type = 0;
    TransferTotals totals;
    const TransactionResult result = ConfigTransaction(transport, [&](Transport& t) {
        type = ReadDeviceType(t);
        totals = ReadAllAreas(t, type == 0 ? 10 : type, image);
        const TransferTotals written = WriteAllAreas(t, type == 0 ? 2 : type, image, true);
        return totals.ok() && written.ok();
    });
    if (type != 0 && type != 2 && type != 10) {
        std::abort();
    }
    if (totals.failedChunks > totals.chunks || totals.refusedRanges > totals.ranges) {
        std::abort();
    }
    if (result.ranBody() != (result.outcome == TransactionOutcome::Completed)) {
        std::abort();
    }
    return 0;
}
