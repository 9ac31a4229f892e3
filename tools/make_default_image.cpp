// Writes the built-in default image resources/VTR6420KDData.bin: the factory
// parameter area and button table, then a type-10 macro area holding seven
// named macros packed from its start (484 bytes) and 28 zero bytes.
//
//   make-default-image OUTPUT
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "image/FileIo.h"
#include "image/MemoryMap.h"
#include "macros/MacroRecord.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace vtr::macros::step;

constexpr std::array<std::uint8_t, 71> kHeader = {
    // parameter section A
    0xCB, 0x04, 0x00, 0x03, 0x14, 0xCF, 0x1B, 0xA0, 0x08, 0x02, 0x04, 0x06, 0x07, 0x00, 0x00, 0x00,
    0x00, 0x0A, 0x6D, 0x60, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x03, 0x03, 0x03, 0x03,
    0x07, 0x7D, 0x32, 0x10, 0x3F, 0xD5,
    // parameter section B
    0x01, 0xFE, 0x12, 0xED, 0x0A,
    // button function table
    0x01, 0x01, 0x00, 0x01, 0x04, 0x00, 0x01, 0x02, 0x00, 0x01, 0x08, 0x00, 0x01, 0x10, 0x00, 0x05,
    0x00, 0x00, 0x04, 0x04, 0x20, 0x02, 0x08, 0x07, 0x09, 0x00, 0x00, 0x31};

constexpr std::size_t kUsedBytes = 484;

void delay(Bytes& s, std::uint8_t units) {
    s.insert(s.end(), {kDelay, units});
}

// Press and release of one key (HID usage), 16 ms apart.
void tap(Bytes& s, std::uint8_t usage) {
    s.insert(s.end(), {kKeyPress, usage});
    delay(s, 2);
    s.insert(s.end(), {kKeyRelease, usage});
}

// Ctrl + key, the way a hand does it.
Bytes ctrlChord(std::uint8_t usage) {
    Bytes s = {kModifierPress, kCtrl};
    delay(s, 2);
    s.insert(s.end(), {kKeyPress, usage});
    delay(s, 6);
    s.insert(s.end(), {kKeyRelease, usage});
    delay(s, 2);
    s.insert(s.end(), {kModifierRelease, kCtrl});
    return s;
}

Bytes doubleClick() {
    const std::uint8_t press = kButtonPress | kButtonBase | kLeftButton;
    const std::uint8_t release = kButtonBase | kLeftButton;
    Bytes s = {press};
    delay(s, 6);
    s.push_back(release);
    delay(s, 10);
    s.push_back(press);
    delay(s, 6);
    s.push_back(release);
    return s;
}

// Opens the game chat with Enter, types the text on a US layout, sends it.
Bytes chatMessage(const std::string& text) {
    constexpr std::uint8_t kEnter = 0x28;
    Bytes s;
    tap(s, kEnter);
    delay(s, 25);  // the chat box takes a moment to open
    for (char c : text) {
        std::uint8_t usage = 0;
        bool shift = false;
        if (c >= 'a' && c <= 'z') {
            usage = static_cast<std::uint8_t>(0x04 + (c - 'a'));
        } else if (c >= 'A' && c <= 'Z') {
            usage = static_cast<std::uint8_t>(0x04 + (c - 'A'));
            shift = true;
        } else if (c == ' ') {
            usage = 0x2C;
        } else if (c == ',') {
            usage = 0x36;
        } else if (c == '!') {
            usage = 0x1E;
            shift = true;
        }
        if (shift) {
            s.insert(s.end(), {kModifierPress, kShift});
            delay(s, 1);
        }
        tap(s, usage);
        if (shift) {
            s.insert(s.end(), {kModifierRelease, kShift});
        }
    }
    delay(s, 2);
    tap(s, kEnter);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-default-image OUTPUT\n");
        return 2;
    }
    const std::vector<std::pair<std::u16string, Bytes>> macros = {
        {u"Copy", ctrlChord(0x06)},
        {u"Paste", ctrlChord(0x19)},
        {u"Cut", ctrlChord(0x1B)},
        {u"Undo", ctrlChord(0x1D)},
        {u"Select All", ctrlChord(0x04)},
        {u"Double Click", doubleClick()},
        {u"Good Game", chatMessage("Good game, well played!")},
    };

    Bytes image(kHeader.begin(), kHeader.end());
    Bytes area;
    for (const auto& [name, steps] : macros) {
        const auto field = vtr::macros::MakeNameField(name);
        const auto record = vtr::macros::MakeRecord(steps);
        if (!record) {
            std::fprintf(stderr, "make-default-image: a macro is too long\n");
            return 1;
        }
        area.insert(area.end(), field.begin(), field.end());
        area.insert(area.end(), record->begin(), record->end());
    }
    if (area.size() != kUsedBytes) {
        std::fprintf(stderr, "make-default-image: the macros use %zu bytes, not %zu\n", area.size(),
                     kUsedBytes);
        return 1;
    }
    area.resize(vtr::image::kMacroAreaSize10, 0);
    image.insert(image.end(), area.begin(), area.end());

    if (const auto error = vtr::image::WriteFileAtomically(argv[1], image)) {
        std::fprintf(stderr, "make-default-image: %s\n", error->c_str());
        return 1;
    }
    return 0;
}
