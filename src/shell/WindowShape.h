#pragma once

#include <QImage>
#include <QRegion>

namespace vtr::shell {

// The region of every pixel of `image` that is not fully transparent: the
// shape a colour-keyed window takes where no compositor blends it.
QRegion OpaqueRegion(const QImage& image);

}  // namespace vtr::shell
