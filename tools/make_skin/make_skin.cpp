// make-skin <folder> [--preview <folder>]
//
// Draws every skin picture and writes, below <folder>:
//   skin/*.png, skin/WaitGif.gif   the window's pictures and the busy animation
//   skin/RENDERER.txt              the libraries and fonts they were drawn with
//   icons/vtr6420kd.svg            the application icon for desktop packaging
//   ORG.txt, ORG1.txt ... ORG3.txt the layout descriptors
// Run on resources/ to regenerate the committed files. With --preview it also
// writes one composed picture per page and language, for looking at.
#include <QCryptographicHash>
#include <QFile>
#include <QGuiApplication>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#if defined(__GLIBC__)
#include <gnu/libc-version.h>
#endif

#include "Art.h"
#include "Gif.h"
#include "Layout.h"
#include "Pictures.h"
#include "Png.h"
#include "Preview.h"

namespace fs = std::filesystem;

namespace {

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error(path.string() + ": cannot write");
    }
}

// What the pictures depend on besides this program: if any of it differs, the
// same program may draw slightly different pixels or compress them differently.
std::string rendererStamp() {
    std::string stamp = "// Libraries and fonts the skin pictures were drawn with.\n";
    stamp += "Qt " + std::string(qVersion()) + "\n";
    stamp += "FreeType " + std::string(VTR_FREETYPE_VERSION) + "\n";
    stamp += skin::ImageLibraryVersions();
#if defined(__GLIBC__)
    // The busy animation is computed with the C library's mathematics.
    stamp += "glibc " + std::string(gnu_get_libc_version()) + "\n";
#endif
    for (const QString& file : skin::FontFiles()) {
        QFile font(file);
        if (!font.open(QIODevice::ReadOnly)) {
            throw std::runtime_error("cannot read " + file.toStdString());
        }
        const QByteArray hash =
            QCryptographicHash::hash(font.readAll(), QCryptographicHash::Sha256);
        stamp += "font " + fs::path(file.toStdString()).filename().string() + " sha256 " +
                 hash.toHex().toStdString() + "\n";
    }
    return stamp;
}

int usage() {
    std::cerr << "usage: make-skin <folder> [--preview <folder>]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing needs no screen; the offscreen platform keeps it the same everywhere.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 2 && argc != 4) {
        return usage();
    }
    const fs::path out = argv[1];
    fs::path preview;
    if (argc == 4) {
        if (std::string(argv[2]) != "--preview") {
            return usage();
        }
        preview = argv[3];
    }

    try {
        skin::LoadFonts();
        const fs::path skinDir = out / "skin";
        fs::create_directories(skinDir);
        fs::create_directories(out / "icons");

        for (int language = 1; language <= 3; ++language) {
            for (const skin::NamedImage& picture : skin::PagePictures(language)) {
                skin::WritePng(picture.image, skinDir / (picture.name.toStdString() + ".png"));
            }
        }
        for (const skin::NamedImage& picture : skin::ControlPictures()) {
            skin::WritePng(picture.image, skinDir / (picture.name.toStdString() + ".png"));
        }
        skin::WritePng(skin::AppIcon(256), skinDir / "AppIcon.png");
        skin::WriteGif(skin::BusyAnimation(), skinDir / "WaitGif.gif");
        writeText(skinDir / "RENDERER.txt", rendererStamp());
        writeText(out / "icons" / "vtr6420kd.svg", skin::AppIconSvg());

        writeText(out / "ORG.txt", skin::webDescriptorText());
        for (int language = 1; language <= 3; ++language) {
            writeText(out / ("ORG" + std::to_string(language) + ".txt"),
                      skin::descriptorText(language));
        }

        if (!preview.empty()) {
            fs::create_directories(preview);
            skin::WritePreviews(preview);
        }
    } catch (const std::exception& error) {
        std::cerr << "make-skin: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
