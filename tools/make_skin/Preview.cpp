// Composed pictures of every page in every language, placed by reading the
// descriptors back the way the window does, for judging the skin by eye.
#include "Preview.h"

#include <QFontMetricsF>
#include <map>
#include <span>
#include <string>

#include "Art.h"
#include "Layout.h"
#include "Pictures.h"
#include "Png.h"
#include "text/Language.h"
#include "text/LayoutDescriptor.h"

namespace skin {

namespace {

using vtr::text::LayoutDescriptor;

struct Sheet {
    std::map<QString, QImage> images;
    const QImage& operator[](const char* name) const { return images.at(QString::fromUtf8(name)); }
};

Sheet controlSheet() {
    Sheet sheet;
    for (NamedImage& image : ControlPictures()) {
        sheet.images[image.name] = image.image;
    }
    return sheet;
}

class Page {
  public:
    Page(int language, const LayoutDescriptor& layout, const vtr::text::Languages& texts)
        : language_(language), layout_(layout), texts_(texts), canvas_(newImage(kWindow)) {
        // The desktop behind the window, so see-through parts show.
        QPainter p(&canvas_);
        for (int y = 0; y < kWindow.h; y += 16) {
            for (int x = 0; x < kWindow.w; x += 16) {
                p.fillRect(x, y, 16, 16,
                           ((x + y) / 16) % 2 ? QColor(96, 104, 116) : QColor(120, 128, 140));
            }
        }
        p.end();
        const QImage background = Background(language).convertToFormat(QImage::Format_ARGB32);
        const QRgb key = qRgb(128, 0, 0);
        for (int y = 0; y < background.height(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(background.constScanLine(y));
            auto* out = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
            for (int x = 0; x < background.width(); ++x) {
                if ((in[x] & 0xFFFFFF) != (key & 0xFFFFFF)) {
                    out[x] = in[x];
                }
            }
        }
    }

    int value(const std::string& key) const {
        const auto v = layout_.integer(key);
        if (!v) {
            throw std::runtime_error("descriptor lacks " + key);
        }
        return *v;
    }
    QPoint at(const std::string& prefix) const {
        return {value(prefix + "_X"), value(prefix + "_Y")};
    }
    QColor colour(const std::string& prefix) const {
        const auto c = layout_.colour(prefix);
        return c ? QColor(c->red, c->green, c->blue) : QColor(Qt::magenta);
    }
    bool enabled(const std::string& prefix) const { return value(prefix + "_Enable") == 1; }
    QString tr(const char* key) const {
        return QString::fromStdString(texts_.text(language_, key));
    }
    QFont font(int points, bool bold = false) const {
        QFont f = captionFont(language_, points * 96 / 72, bold ? Weight::Bold : Weight::Regular);
        f.setStyleStrategy(QFont::PreferAntialias);  // captions may mix scripts
        return f;
    }

    void image(QPoint where, const QImage& picture) {
        QPainter p(&canvas_);
        p.drawImage(where, picture);
    }
    void text(const QRect& r, const QString& caption, const QFont& f, QColor c,
              int align = Qt::AlignCenter) {
        QPainter p(&canvas_);
        prepare(p);
        p.setFont(f);
        p.setPen(c);
        p.drawText(r, align, caption);
    }
    // A label over an image (pair); `inset` for the page buttons.
    void pair(QPoint where, const QImage& picture, const QString& caption, const QFont& f, QColor c,
              int front = 0, int back = 0) {
        image(where, picture);
        text(QRect(where.x() + front, where.y(), picture.width() - front - back, picture.height()),
             caption, f, c);
    }
    void box(QRect r, const QString& value, QColor text, QColor back, int align = Qt::AlignRight) {
        QPainter p(&canvas_);
        p.fillRect(r, back);
        p.setPen(QColor(60, 80, 100));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.end();
        this->text(r.adjusted(3, 0, -3, 0), value, font(9), text, align | Qt::AlignVCenter);
    }
    QImage& canvas() { return canvas_; }
    int language() const { return language_; }

  private:
    int language_;
    const LayoutDescriptor& layout_;
    const vtr::text::Languages& texts_;
    QImage canvas_;
};

void drawShared(Page& page, const Sheet& sheet, int current) {
    // Bottom buttons: Apply shown hovered, Reset pressed, to judge the states.
    const char* keys[] = {"Str000", "Str001", "Str002", "Str003"};
    const char* states[] = {"BtnS_01", "BtnS_02", "BtnS_03", "BtnS_01"};
    for (int i = 0; i < 4; ++i) {
        const std::string prefix = "Btn_A" + std::to_string(i + 1);
        if (page.enabled(prefix)) {
            page.pair(page.at(prefix), sheet[states[i]], page.tr(keys[i]),
                      page.font(page.value("Size_A")), page.colour("Color_A"));
        }
    }
    struct B {
        const char* prefix;
        const char* key;
        int page;  // 1..4 page button, 0 other
    };
    const B buttons[] = {
        {"Btn_B1", "Str004", 1},  {"Btn_B4", "Str007", 2},  {"Btn_B5", "Str008", 3},
        {"Btn_B11", "Str014", 4}, {"Btn_B6", "Str009", 0},  {"Btn_B7", "Str010", 0},
        {"Btn_B8", "Str011", -1}, {"Btn_B9", "Str012", -2}, {"Btn_B10", "Str013", -3}};
    const int front = page.value("Btn_Space_F");
    const int back = page.value("Btn_Space_B");
    for (const B& b : buttons) {
        if (!page.enabled(b.prefix)) {
            continue;
        }
        const bool selected = b.page == current || b.page == -page.language();
        const char* state = selected                           ? "SetS_02"
                            : (b.page == 0 && b.key[5] == '9') ? "SetS_03"
                                                               : "SetS_01";
        page.pair(page.at(b.prefix), sheet[state], page.tr(b.key), page.font(page.value("Size_B")),
                  page.colour("Color_B"), front, back);
    }
}

void drawMainControl(Page& page, const Sheet& sheet) {
    page.image(page.at("P1"), Back1(page.language()));
    const char* captions[] = {"Str210", "Str212", "Str211", "Str213", "Str214",
                              "Str231", "Str230", "",       ""};
    for (int key = 1; key <= 9; ++key) {
        const std::string prefix = "Key" + std::to_string(key);
        if (!page.enabled(prefix)) {
            continue;
        }
        const QString caption = key == 8 ? QStringLiteral("Win+D") : page.tr(captions[key - 1]);
        page.pair(page.at(prefix), sheet[key == 3 ? "KeyS_02" : "KeyS_01"], caption,
                  page.font(page.value("Size_C")), page.colour("Color_C"));
    }
}

void drawAdvanced(Page& page, const Sheet& sheet) {
    page.image(page.at("P2"), Back2(page.language()));
    const QColor dim = page.colour("Color_D_notSelected");
    const QColor back = page.colour("Color_D_Back");
    const int size = page.value("Size_D");
    const char* bars[] = {"Spd", "DbSpd", "ScrSpd"};
    const int positions[] = {6, 4, 3};
    for (int b = 0; b < 3; ++b) {
        const QPoint at = page.at(bars[b]);
        const int w = sheet["Bar1_E"].width();
        for (int k = 1; k <= 10; ++k) {
            page.image(at + QPoint((k - 1) * w, 0), sheet[k <= positions[b] ? "Bar1_E" : "Bar1_D"]);
            page.text(QRect(at.x() + (k - 1) * w - 4, at.y() + 8, 24, 14), QString::number(k),
                      page.font(size), dim, Qt::AlignLeft | Qt::AlignTop);
        }
    }
    page.box(QRect(page.at("FKCnt"), QSize(kFireKeyBox.w, kFireKeyBox.h)), "2", dim, back);
    page.box(QRect(page.at("FKDelay"), QSize(kFireKeyBox.w, kFireKeyBox.h)), "16", dim, back);
    const int values[] = {1, 2, 4, 7, 0, 3, 5, 6};
    const char* texts[] = {"Str300", "Str301", "Str302", "Str303",
                           "Str304", "Str305", "Str306", "Str307"};
    for (int level = 1; level <= 8; ++level) {
        const std::string n = "DPI" + std::to_string(level);
        const bool on = level <= 5;
        page.text(QRect(page.at(n), QSize(44, 16)), QStringLiteral("DPI%1").arg(level),
                  page.font(size + 1), on ? page.colour("Color_D_Selected") : dim,
                  Qt::AlignLeft | Qt::AlignVCenter);
        page.image(page.at(n + "_Check"), sheet[level == 2 ? "CbS_E" : "CbS_D"]);
        const QPoint steps = page.at(n + "_Steps");
        const int w = sheet["Bar2_E"].width();
        for (int k = 1; k <= 8; ++k) {
            page.image(steps + QPoint((k - 1) * w, 0),
                       sheet[k <= values[level - 1] + 1 ? "Bar2_E" : "Bar2_D"]);
        }
        page.text(QRect(page.at(n + "_Value"), QSize(44, 16)), page.tr(texts[values[level - 1]]),
                  page.font(size), dim, Qt::AlignLeft | Qt::AlignVCenter);
        page.box(QRect(page.at(n + "_Color"), QSize(kColourBox.w, kColourBox.h)),
                 QString::number(level == 8 ? 7 : level - 1), dim, back, Qt::AlignHCenter);
    }
}

void drawBreathing(Page& page, const Sheet& sheet) {
    page.image(page.at("P3"), Back3(page.language()));
    const QColor colour = page.colour("Color_E");
    const QColor back = page.colour("Color_D_Back");
    auto option = [&](const char* prefix, bool on) {
        page.image(page.at(prefix), sheet[on ? "RdS_E" : "RdS_D"]);
    };
    option("MCPIOn", false);
    option("MCPIOff", true);
    option("LEDKeyOn", true);
    option("LEDKeyOff", false);
    for (int i = 1; i <= 5; ++i) {
        option(("LEDNTMode" + std::to_string(i)).c_str(), i == 3);
    }
    option("LEDColorMode1", true);
    option("LEDColorMode2", false);
    for (int i = 1; i <= 4; ++i) {
        option(("LEDColorBre" + std::to_string(i)).c_str(), i == 1);
    }
    const std::pair<const char*, const char*> boxes[] = {
        {"LEDNTMode1Time", "0"},  {"LEDNTMode2Time", "3"},   {"LEDNTMode2Hold", "50"},
        {"LEDNTMode3Time", "20"}, {"LEDNTMode3Count", "16"}, {"OffTime", "3"},
        {"RiseTime", "3"},        {"LightTime", "3"},        {"FallTime", "3"}};
    for (const auto& [prefix, value] : boxes) {
        page.box(QRect(page.at(prefix), QSize(kTimingBox.w, kTimingBox.h)), value, colour, back);
    }
}

void drawMacro(Page& page, const Sheet& sheet, bool insert) {
    page.image(page.at("P4"), Back4(page.language()));
    const QFont font = page.font(page.value("Size_F"));
    const QColor colour = page.colour("Color_F");
    const QColor value = page.colour("Color_F_Font");
    const QColor back = page.colour("Color_F_Back");
    {
        const QPoint at = page.at("MacroName");
        QPainter p(&page.canvas());
        p.fillRect(QRect(at, QSize(kMacroNameListSize.w, kMacroNameListSize.h)), back);
        p.end();
        const int row = page.value("MacroNameHeight");
        const char* names[] = {"Combo", "Reload", "Quick Build"};
        for (int i = 0; i < 3; ++i) {
            if (i == 1) {
                QPainter q(&page.canvas());
                q.fillRect(QRect(at + QPoint(0, i * row), QSize(kMacroNameListSize.w, row)),
                           QColor(0, 120, 150));
            }
            page.text(QRect(at + QPoint(4, i * row), QSize(kMacroNameListSize.w - 8, row)),
                      names[i], font, value, Qt::AlignLeft | Qt::AlignVCenter);
        }
        const QPoint steps = page.at("MacroContent");
        QPainter q(&page.canvas());
        q.fillRect(QRect(steps, QSize(kStepListSize.w, kStepListSize.h)), back);
        q.end();
        const char* lines[] = {"\u2193 R",        "50 ms", "\u2191 R",       "50 ms",
                               "\u2193 Left Key", "30 ms", "\u2191 Left Key"};
        for (int i = 0; i < 7; ++i) {
            page.text(QRect(steps + QPoint(4, i * 18), QSize(kStepListSize.w - 8, 18)),
                      QString::fromUtf8(lines[i]), font, value, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    const std::pair<const char*, const char*> buttons[] = {
        {"BtnStart", "Str400"},    {"BtnDel", "Str408"},       {"BtnInsert", "Str409"},
        {"BtnClear", "Str403"},    {"BtnSaveMacro", "Str431"}, {"BtnRename", "Str402"},
        {"BtnNewMacro", "Str432"}, {"BtnDelMacro", "Str433"},  {"BtnExportOne", "Str404"},
        {"BtnExport", "Str405"},   {"BtnImportOne", "Str406"}, {"BtnImport", "Str407"}};
    for (const auto& [prefix, key] : buttons) {
        const char* state = std::string(prefix) == "BtnClear" ? "MacroS_02" : "MacroS_01";
        page.pair(page.at(prefix), sheet[state], page.tr(key), font, colour);
    }
    if (!insert) {
        const QPoint group = page.at("DelayTime");
        const QPoint lamp = group + page.at("RecDelay");
        QPainter p(&page.canvas());
        prepare(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 170, 60));
        p.drawEllipse(QRect(lamp, QSize(kLamp.w, kLamp.h)));
        p.end();
        page.box(QRect(group + page.at("DelayEdit"), QSize(kDelayBox.w, kDelayBox.h)), "50",
                 QColor(114, 113, 113), back);
        return;
    }
    const QPoint group = page.at("Insert");
    page.image(group, sheet["InsertKeyBase"]);
    page.box(QRect(group + page.at("InsertList"), QSize(kInsertList.w, kInsertList.h)),
             page.tr("Str412"), value, back, Qt::AlignLeft);
    const QPoint edit = group + page.at("InsertDelayEdit");
    page.box(QRect(edit, QSize(kInsertDelayBox.w, kInsertDelayBox.h)), "50", QColor(114, 113, 113),
             back);
    page.text(QRect(edit + QPoint(44, 2), QSize(30, 16)), page.tr("Str418"), font,
              QColor(114, 113, 113), Qt::AlignLeft | Qt::AlignVCenter);
    const QPoint rec = group + page.at("InsertRecDelay");
    const int h = page.value("InsertRecDelay_H");
    const char* modes[] = {"Str414", "Str415", "Str416"};
    for (int i = 0; i < 3; ++i) {
        page.text(QRect(rec + QPoint(-2, i * h), QSize(110, 16)),
                  QStringLiteral("       ") + page.tr(modes[i]), font, colour,
                  Qt::AlignLeft | Qt::AlignVCenter);
    }
    QPainter p(&page.canvas());
    prepare(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 170, 60));
    p.drawEllipse(QRect(rec, QSize(kLamp.w, kLamp.h)));
    p.end();
    page.pair(group + page.at("InsertBtnStart"), sheet["MacroS_01"], page.tr("Str400"), font,
              colour);
    page.pair(group + page.at("InsertBtnOK"), sheet["MacroBtnS_01"], page.tr("Str421"), font,
              colour);
    page.pair(group + page.at("InsertBtnCancel"), sheet["MacroBtnS_02"], page.tr("Str422"), font,
              colour);
}

}  // namespace

void WritePreviews(const std::filesystem::path& folder) {
    const Sheet sheet = controlSheet();
    const vtr::text::Languages texts;
    for (int language = 1; language <= 3; ++language) {
        const std::string text = descriptorText(language);
        const auto bytes =
            std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        const LayoutDescriptor layout =
            LayoutDescriptor::Parse(bytes, "org" + std::to_string(language));
        for (int p = 1; p <= 5; ++p) {
            Page page(language, layout, texts);
            drawShared(page, sheet, p == 5 ? 4 : p);
            switch (p) {
                case 1:
                    drawMainControl(page, sheet);
                    break;
                case 2:
                    drawAdvanced(page, sheet);
                    break;
                case 3:
                    drawBreathing(page, sheet);
                    break;
                default:
                    drawMacro(page, sheet, p == 5);
                    break;
            }
            const std::string name =
                "L" + std::to_string(language) + "_page" + std::to_string(p) + ".png";
            WritePng(page.canvas(), folder / name);
        }
    }
}

}  // namespace skin
