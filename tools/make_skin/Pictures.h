#pragma once

#include <QImage>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "Gif.h"

// Every picture of the window's skin.
namespace skin {

struct NamedImage {
    QString name;  // resource name, file name without ".png"
    QImage image;
};

// Page pictures of one language (1..3): background and the four panels.
std::vector<NamedImage> PagePictures(int language);
// Buttons, bars, checks, options, the insert backdrops and the web button.
std::vector<NamedImage> ControlPictures();
// The application icon, as a picture and as SVG text.
QImage AppIcon(int size);
std::string AppIconSvg();
// The busy animation shown while the mouse is read or written.
GifAnimation BusyAnimation();

// Pieces the pages and the previews share.
QImage Background(int language);
QImage Back1(int language);
QImage Back2(int language);
QImage Back3(int language);
QImage Back4(int language);
QImage InsertBase(bool keys);

}  // namespace skin
