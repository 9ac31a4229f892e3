#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "device/SimulatedMouse.h"
#include "device/Transport.h"

namespace vtr::device {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Report = std::vector<std::uint8_t>;

// Several interfaces, each backed by a firmware of its own; counts every call.
class MultiBackend final : public HidBackend {
  public:
    struct Entry {
        HidInterfaceInfo info;
        MouseFirmware firmware;
        int openHandles = 0;
        std::vector<Report> sent;
    };

    Entry& add(std::string path, std::uint16_t vid, std::uint16_t pid, std::uint16_t length) {
        auto& entry = entries_[path];
        entry.info = {path, vid, pid, length};
        order_.push_back(path);
        return entry;
    }

    std::vector<HidInterfaceInfo> enumerate() override {
        ++calls;
        std::vector<HidInterfaceInfo> list;
        for (const auto& path : order_) {
            list.push_back(entries_.at(path).info);
        }
        return list;
    }

    std::unique_ptr<HidDevice> open(const std::string& path, std::string*) override {
        ++calls;
        return std::make_unique<Handle>(*this, entries_.at(path));
    }

    int calls = 0;

  private:
    class Handle final : public HidDevice {
      public:
        Handle(MultiBackend& backend, Entry& entry) : backend_(backend), entry_(entry) {
            ++entry_.openHandles;
        }
        ~Handle() override { --entry_.openHandles; }
        int sendFeatureReport(std::span<const std::uint8_t> report) override {
            ++backend_.calls;
            entry_.sent.emplace_back(report.begin(), report.end());
            return entry_.firmware.receive(report) ? 8 : -1;
        }
        int getFeatureReport(std::span<std::uint8_t> report) override {
            ++backend_.calls;
            return entry_.firmware.answer(report) ? 8 : -1;
        }

      private:
        MultiBackend& backend_;
        Entry& entry_;
    };

    std::map<std::string, Entry> entries_;
    std::vector<std::string> order_;
};

class TransportTest : public ::testing::Test {
  protected:
    TransportTest() { mouse.setLogging(true); }

    bool open() { return transport.OpenDevice(0x1BCF, 0x08A0); }

    // Commands of the reports sent, in order.
    std::vector<int> commands() const {
        std::vector<int> result;
        for (const auto& report : mouse.sentReports()) {
            result.push_back(report[1]);
        }
        return result;
    }

    SimulatedMouse mouse;
    VirtualClock clock;
    Transport transport{mouse, clock};
};

TEST_F(TransportTest, RangeAnnouncementsAndChunkCounts) {
    struct Case {
        bool write;
        std::uint16_t address;
        std::size_t length;
        Report announcement;
        int chunks;
    };
    const Case cases[] = {
        {false, 0, 43, {4, 4, 0x00, 0x00, 0x2B, 0x00, 0, 0}, 8},
        {false, 767, 1, {4, 4, 0xFF, 0x02, 0x01, 0x00, 0, 0}, 1},
        {false, 64, 28, {4, 4, 0x40, 0x00, 0x1C, 0x00, 0, 0}, 5},
        {false, 512, 255, {4, 4, 0x00, 0x02, 0xFF, 0x00, 0, 0}, 43},
        {true, 512, 256, {4, 6, 0x00, 0x02, 0x00, 0x01, 0, 0}, 43},
        {true, 92, 164, {4, 6, 0x5C, 0x00, 0xA4, 0x00, 0, 0}, 28},
        {true, 0, 43, {4, 6, 0x00, 0x00, 0x2B, 0x00, 0, 0}, 8},
    };
    ASSERT_TRUE(open());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        mouse.clearLog();
        Bytes buffer(c.length, 0x5A);
        const RangeResult result = c.write ? transport.WriteMemory(c.address, buffer)
                                           : transport.ReadMemory(c.address, buffer);
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(result.chunks, c.chunks);
        const auto sent = mouse.sentReports();
        ASSERT_EQ(sent.size(), static_cast<std::size_t>(c.chunks) + 1);
        EXPECT_EQ(sent[0], c.announcement);
        const int dataCommand = c.write ? 7 : 5;
        EXPECT_TRUE(std::all_of(sent.begin() + 1, sent.end(),
                                [&](const Report& r) { return r[1] == dataCommand; }));
    }
}

TEST_F(TransportTest, ReadStoresOnlyTheRangeAndChunksCarrySixBytes) {
    auto& eeprom = mouse.firmware().eeprom();
    for (std::size_t i = 0; i < eeprom.size(); ++i) {
        eeprom[i] = static_cast<std::uint8_t>(i * 7);
    }
    ASSERT_TRUE(open());
    Bytes buffer(60, 0xEE);
    const RangeResult result = transport.ReadMemory(0, std::span(buffer).first(43));
    EXPECT_TRUE(result.ok());
    for (std::size_t i = 0; i < 43; ++i) {
        EXPECT_EQ(buffer[i], static_cast<std::uint8_t>(i * 7));
    }
    EXPECT_TRUE(std::all_of(buffer.begin() + 43, buffer.end(), [](auto b) { return b == 0xEE; }))
        << "bytes 43..47 of the last chunk are not stored";
}

TEST_F(TransportTest, WritePadsTheLastChunkAndChangesOnlyTheRange) {
    ASSERT_TRUE(open());
    const auto before = mouse.firmware().eeprom();
    Bytes data(28);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(0xA0 + i);
    }
    EXPECT_TRUE(transport.WriteMemory(64, data).ok());
    const auto& after = mouse.firmware().eeprom();
    EXPECT_TRUE(std::equal(data.begin(), data.end(), after.begin() + 64));
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 64, before.begin()));
    EXPECT_TRUE(std::equal(after.begin() + 92, after.end(), before.begin() + 92));
    const Report last = mouse.sentReports().back();
    EXPECT_EQ(last, (Report{4, 7, 0xB8, 0xB9, 0xBA, 0xBB, 0, 0}));
}

TEST_F(TransportTest, SilentMouseCostsTenAttemptsOfElevenSleeps) {
    ASSERT_TRUE(open());
    mouse.faults().silent = true;
    clock.clearSleeps();
    EXPECT_FALSE(transport.SendCommand(3));
    EXPECT_EQ(clock.sleeps().size(), 110u);
    EXPECT_TRUE(
        std::all_of(clock.sleeps().begin(), clock.sleeps().end(), [](int ms) { return ms == 5; }));
    EXPECT_EQ(clock.nowMs(), 550u);
    EXPECT_EQ(mouse.sentReports().size(), 10u);
}

TEST_F(TransportTest, OtherAnswerEndsEachAttemptAtItsFirstPoll) {
    ASSERT_TRUE(open());
    mouse.faults().wrongAck = 0x01;
    clock.clearSleeps();
    EXPECT_FALSE(transport.SendCommand(1));
    EXPECT_EQ(clock.sleeps().size(), 20u) << "one sleep before sending, one poll per attempt";
    EXPECT_EQ(mouse.sentReports().size(), 10u);
}

TEST_F(TransportTest, SlowAnswerIsWaitedFor) {
    ASSERT_TRUE(open());
    mouse.faults().answerAfterPolls = 4;
    clock.clearSleeps();
    EXPECT_TRUE(transport.SendCommand(3));
    EXPECT_EQ(clock.sleeps().size(), 6u);  // one before sending, five polls
    EXPECT_EQ(transport.report()[1], 0xAA);
}

TEST_F(TransportTest, EveryAttemptClearsByteSevenExceptChunkWrites) {
    ASSERT_TRUE(open());
    mouse.faults().silent = true;
    transport.SendCommand(4, 1, 2, 3, 4);
    for (const auto& report : mouse.sentReports()) {
        EXPECT_EQ(report, (Report{4, 4, 1, 2, 3, 4, 0, 0}));
    }
    mouse.clearLog();
    const std::array<std::uint8_t, 6> data = {1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(transport.WriteChunk(data));
    const auto sent = mouse.sentReports();
    ASSERT_EQ(sent.size(), 10u) << "a chunk write is bounded by ten attempts too";
    for (const auto& report : sent) {
        EXPECT_EQ(report, (Report{4, 7, 1, 2, 3, 4, 5, 6}));
    }
}

TEST_F(TransportTest, FailedChunksAreCountedNotHidden) {
    ASSERT_TRUE(open());
    auto& eeprom = mouse.firmware().eeprom();
    std::fill(eeprom.begin(), eeprom.begin() + 43, 0x10);
    mouse.faults().failChunk = 2;

    Bytes buffer(43);
    const RangeResult read = transport.ReadMemory(0, buffer);
    EXPECT_TRUE(read.announced);
    EXPECT_EQ(read.failedChunks, 1);
    EXPECT_FALSE(read.ok());
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        EXPECT_EQ(buffer[i], (i >= 12 && i < 18) ? 0xFF : 0x10) << i;
    }

    const RangeResult write = transport.WriteMemory(0, Bytes(43, 0x20));
    EXPECT_TRUE(write.announced);
    EXPECT_EQ(write.failedChunks, 1);
    EXPECT_FALSE(write.ok()) << "an unacknowledged chunk makes the write fail";
    EXPECT_EQ(eeprom[11], 0x20);
    EXPECT_EQ(eeprom[12], 0x10);  // the failed chunk never reached the memory
    EXPECT_EQ(eeprom[18], 0x20);
}

TEST_F(TransportTest, RefusedAnnouncementSendsNothingElse) {
    ASSERT_TRUE(open());
    mouse.faults().wrongAck = 0x01;
    Bytes buffer(28, 0);
    const RangeResult read = transport.ReadMemory(64, buffer);
    EXPECT_FALSE(read.announced);
    EXPECT_EQ(read.chunks, 0);
    EXPECT_EQ(buffer, Bytes(28, 0xFF));
    mouse.clearLog();
    EXPECT_FALSE(transport.WriteMemory(64, buffer).announced);
    EXPECT_EQ(commands(), std::vector<int>(10, 6));
}

TEST_F(TransportTest, OurOwnDataByteIsNeverTakenForAnAcknowledgement) {
    ASSERT_TRUE(open());
    // The mouse goes away right after accepting the announcement: every later
    // get fails, while the chunk's sixth data byte happens to be 0xCC.
    mouse.faults().unplugAfterReports = 1;
    const RangeResult write = transport.WriteMemory(0, Bytes(6, 0xCC));
    EXPECT_TRUE(write.announced);
    EXPECT_EQ(write.failedChunks, 1);
}

TEST_F(TransportTest, UnpluggedMidTransferFailsTheRestOfTheRange) {
    ASSERT_TRUE(open());
    mouse.faults().unplugAfterReports = 4;  // announcement and three chunks
    Bytes buffer(43);
    const RangeResult read = transport.ReadMemory(0, buffer);
    EXPECT_TRUE(read.announced);
    EXPECT_EQ(read.failedChunks, 5);
    EXPECT_TRUE(std::all_of(buffer.begin() + 18, buffer.end(), [](auto b) { return b == 0xFF; }));
    EXPECT_EQ(transport.CountHidDevices(), 0);
    EXPECT_FALSE(transport.OpenDevice(0x1BCF, 0x08A0));
    EXPECT_TRUE(transport.devicePresent()) << "losing the device is the connection's decision";
}

TEST_F(TransportTest, BetweenChunksSeesEveryChunkExceptWhenQuiet) {
    ASSERT_TRUE(open());
    std::vector<std::pair<int, int>> seen;
    transport.setBetweenChunks([&](int i, int n) { seen.emplace_back(i, n); });
    Bytes buffer(13);
    transport.ReadMemory(0, buffer);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));
    seen.clear();
    transport.ReadMemoryQuiet(0, buffer);
    EXPECT_TRUE(seen.empty());
    transport.WriteMemory(0, std::span(buffer).first(7));
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}}));
}

TEST(TransportDeviceTest, NoDeviceMeansNoHidCall) {
    MultiBackend backend;
    VirtualClock clock;
    Transport transport(backend, clock);
    Bytes buffer(28, 0);
    const RangeResult read = transport.ReadMemory(64, buffer);
    EXPECT_FALSE(read.announced);
    EXPECT_EQ(buffer, Bytes(28, 0xFF));
    EXPECT_FALSE(transport.SendCommand(1));
    EXPECT_FALSE(transport.WriteMemory(64, buffer).announced);
    EXPECT_EQ(backend.calls, 0);
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST(TransportDeviceTest, LastAcceptedInterfaceWinsAndOthersAreClosed) {
    MultiBackend backend;
    auto& pointer = backend.add("pointer", 0x1BCF, 0x08A0, 0);
    auto& first = backend.add("first", 0x1BCF, 0x08A0, 8);
    auto& keyboard = backend.add("keyboard", 0x046D, 0xC31C, 8);
    auto& longer = backend.add("longer", 0x1BCF, 0x08A0, 9);
    auto& last = backend.add("last", 0x1BCF, 0x08A0, 8);
    VirtualClock clock;
    Transport transport(backend, clock);

    ASSERT_TRUE(transport.OpenDevice(0x1BCF, 0x08A0));
    EXPECT_EQ(transport.featureReportLength(), 8);
    EXPECT_EQ(last.openHandles, 1);
    for (auto* other : {&pointer, &first, &keyboard, &longer}) {
        EXPECT_EQ(other->openHandles, 0);
    }
    ASSERT_TRUE(transport.SendCommand(3));
    EXPECT_EQ(last.sent.size(), 1u);
    EXPECT_TRUE(first.sent.empty());

    // A failed open leaves the device as it was.
    EXPECT_FALSE(transport.OpenDevice(0x1234, 0x5678));
    EXPECT_TRUE(transport.devicePresent());
    EXPECT_EQ(transport.vendorId(), 0x1BCF);

    transport.CloseDevice();
    EXPECT_EQ(last.openHandles, 0);
    EXPECT_FALSE(transport.devicePresent());
    EXPECT_EQ(transport.vendorId(), 0);
    EXPECT_EQ(transport.productId(), 0);
}

TEST(TransportDeviceTest, CountsInterfacesThatOpen) {
    SimulatedMouse mouse;
    mouse.otherInterfaces().push_back({"keyboard", 0x046D, 0xC31C, 0});
    VirtualClock clock;
    Transport transport(mouse, clock);
    EXPECT_EQ(transport.CountHidDevices(), 3);
    EXPECT_EQ(mouse.openHandles(), 0);
    mouse.firmware().unplug();
    EXPECT_EQ(transport.CountHidDevices(), 1);
}

TEST(BitHelpersTest, SingleBits) {
    EXPECT_TRUE(TestBit(0x04, 2));
    EXPECT_FALSE(TestBit(0x04, 1));
    EXPECT_TRUE(TestBit(0x80, 7));
    EXPECT_EQ(SetBit(0x00, 7), 0x80);
    EXPECT_EQ(SetBit(0x04, 2), 0x04);
    EXPECT_EQ(ClearBit(0xFF, 0), 0xFE);
    EXPECT_EQ(ClearBit(0x10, 3), 0x10);
}

struct TransactionCase {
    const char* name;
    FirmwareFaults faults;
    TransactionOutcome outcome;
    std::vector<int> commands;  // repeated attempts collapsed
    bool bodyRan;
};

void PrintTo(const TransactionCase& c, std::ostream* os) {
    *os << c.name;
}

class TransactionTest : public ::testing::TestWithParam<TransactionCase> {};

TEST_P(TransactionTest, FrameFollowsTheStatus) {
    const TransactionCase& c = GetParam();
    SimulatedMouse mouse;
    mouse.setLogging(true);
    VirtualClock clock;
    Transport transport(mouse, clock);
    ASSERT_TRUE(transport.OpenDevice(0x1BCF, 0x08A0));
    mouse.faults() = c.faults;
    bool ran = false;
    const TransactionResult result = ConfigTransaction(transport, [&](Transport& t) {
        ran = true;
        std::array<std::uint8_t, 1> type{};
        return t.ReadMemoryQuiet(42, type).ok();
    });
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(ran, c.bodyRan);
    std::vector<int> sent;
    for (const auto& report : mouse.sentReports()) {
        if (sent.empty() || sent.back() != report[1]) {
            sent.push_back(report[1]);
        }
    }
    EXPECT_EQ(sent, c.commands);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, TransactionTest,
    ::testing::Values(
        TransactionCase{"ready", {}, TransactionOutcome::Completed, {1, 3, 4, 5, 8, 2}, true},
        TransactionCase{
            "notready", {.notReady = true}, TransactionOutcome::NotReady, {1, 3, 2}, false},
        TransactionCase{
            "signature", {.signature = 0xAB}, TransactionOutcome::WrongSignature, {1, 3}, false},
        TransactionCase{"silent", {.silent = true}, TransactionOutcome::OpenRefused, {1}, false},
        TransactionCase{"statusgone",
                        {.unplugAfterReports = 1},
                        TransactionOutcome::StatusRefused,
                        {1, 3},
                        false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vtr::device
