#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vtr::shell {

// An animated GIF as whole frames: each frame is the picture as it stands once
// that frame is drawn (earlier frames and their disposal included), with the
// time it stays. Pixels no frame has drawn are transparent. While all frames
// together use at most 256 colours, each is kept as an 8-bit image with one
// colour table shared by all, a quarter of the memory of 32-bit frames; beyond
// that they are ARGB32.
struct Animation {
    std::vector<QImage> frames;  // Indexed8 or ARGB32, all of the animation's size
    std::vector<int> delaysMs;   // one per frame; a delay under 20 ms counts as 100 ms
};

// Decodes a GIF with giflib. Nothing when the bytes are not a GIF, hold no
// frame, or describe a picture larger than 4096 pixels a side. A file that
// breaks off after its first frame keeps the frames read so far. Never reads
// outside `bytes`; pixels outside the picture and colour indices outside the
// colour table are skipped.
std::optional<Animation> DecodeGif(std::span<const std::uint8_t> bytes);

}  // namespace vtr::shell
