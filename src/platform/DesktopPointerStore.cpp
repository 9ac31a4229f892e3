#include "platform/DesktopPointerStore.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <span>
#include <system_error>
#include <vector>

#include "image/FileIo.h"
#include "platform/PointerSettingsFile.h"

#ifdef VTR_HAVE_GSETTINGS
#include <gio/gio.h>
#endif

namespace vtr::platform {

namespace fs = std::filesystem;
using settings::kDesktopKey;
using settings::kMouseKey;

namespace {

constexpr int kMinSensitivity = 1;
constexpr int kMaxSensitivity = 20;

bool SameAscii(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(x) == lower(y);
    });
}

bool IsKnownKey(std::string_view key) {
    return key == kMouseKey || key == kDesktopKey;
}

}  // namespace

double GnomeSpeedOfSensitivity(int sensitivity) {
    return std::clamp((static_cast<double>(sensitivity) - 10.0) / 10.0, -1.0, 1.0);
}

int SensitivityOfGnomeSpeed(double speed) {
    if (std::isnan(speed)) {
        return 10;
    }
    const long tenths = std::lround(std::clamp(speed, -1.0, 1.0) * 10.0);
    return std::clamp(static_cast<int>(tenths) + 10, kMinSensitivity, kMaxSensitivity);
}

// The desktop's own settings: GNOME's mouse schema through GSettings, opened
// only when the schema is installed (GSettings aborts the process when asked
// for a schema it does not have).
struct DesktopPointerStore::Desktop {
#ifdef VTR_HAVE_GSETTINGS
    GSettingsSchema* schema = nullptr;
    GSettings* settings = nullptr;
    bool speed = false;
    bool doubleClick = false;

    explicit Desktop(const std::string& id) {
        if (id.empty()) {
            return;
        }
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        if (source == nullptr) {
            return;
        }
        schema = g_settings_schema_source_lookup(source, id.c_str(), TRUE);
        if (schema == nullptr || g_settings_schema_get_path(schema) == nullptr) {
            return;  // missing, or relocatable (no place of its own)
        }
        speed = hasKey("speed", G_VARIANT_TYPE_DOUBLE);
        doubleClick = hasKey("double-click", G_VARIANT_TYPE_INT32);
        if (speed || doubleClick) {
            settings = g_settings_new_full(schema, nullptr, nullptr);
        }
    }
    ~Desktop() {
        if (settings != nullptr) {
            g_settings_sync();
            g_object_unref(settings);
        }
        if (schema != nullptr) {
            g_settings_schema_unref(schema);
        }
    }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    bool hasKey(const char* name, const GVariantType* type) const {
        if (!g_settings_schema_has_key(schema, name)) {
            return false;
        }
        GSettingsSchemaKey* key = g_settings_schema_get_key(schema, name);
        const bool same = g_variant_type_equal(g_settings_schema_key_get_value_type(key), type);
        g_settings_schema_key_unref(key);
        return same;
    }

    double getSpeed() const {
        return g_settings_get_double(settings, "speed");
    }
    int getDoubleClick() const {
        return g_settings_get_int(settings, "double-click");
    }

    // Sets a key when the value is in its range and the key is writable.
    bool set(const char* name, GVariant* value) {
        g_variant_ref_sink(value);
        GSettingsSchemaKey* key = g_settings_schema_get_key(schema, name);
        const bool ok = g_settings_schema_key_range_check(key, value) &&
                        g_settings_is_writable(settings, name) &&
                        g_settings_set_value(settings, name, value);
        g_settings_schema_key_unref(key);
        g_variant_unref(value);
        if (ok) {
            g_settings_sync();
        }
        return ok;
    }
    bool setSpeed(int sensitivity) {
        return set("speed", g_variant_new_double(GnomeSpeedOfSensitivity(sensitivity)));
    }
    bool setDoubleClick(int milliseconds) {
        return milliseconds > 0 && set("double-click", g_variant_new_int32(milliseconds));
    }
#else
    static constexpr bool speed = false;
    static constexpr bool doubleClick = false;

    explicit Desktop(const std::string&) {}
    double getSpeed() const {
        return 0;
    }
    int getDoubleClick() const {
        return 0;
    }
    bool setSpeed(int) {
        return false;
    }
    bool setDoubleClick(int) {
        return false;
    }
#endif
};

DesktopPointerStore::DesktopPointerStore() : DesktopPointerStore(Options{}) {}

DesktopPointerStore::DesktopPointerStore(Options options)
    : file_(options.file.empty() ? DefaultFile() : std::move(options.file)),
      schema_(std::move(options.schema)) {}

DesktopPointerStore::~DesktopPointerStore() = default;

DesktopPointerStore::Desktop& DesktopPointerStore::desktop() const {
    if (desktop_ == nullptr) {
        desktop_ = std::make_unique<Desktop>(schema_);
    }
    return *desktop_;
}

fs::path DesktopPointerStore::DefaultFile() {
    fs::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME");
        xdg != nullptr && fs::path(xdg).is_absolute()) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME");
               home != nullptr && fs::path(home).is_absolute()) {
        base = fs::path(home) / ".config";
    } else {
        return {};
    }
    return base / "vtr6420kd" / "pointer.ini";
}

bool DesktopPointerStore::HasGSettings() {
#ifdef VTR_HAVE_GSETTINGS
    return true;
#else
    return false;
#endif
}

bool DesktopPointerStore::desktopHasSpeed() const {
    return desktop().speed;
}
bool DesktopPointerStore::desktopHasDoubleClick() const {
    return desktop().doubleClick;
}

DesktopPointerStore::Place DesktopPointerStore::placeOf(std::string_view key,
                                                        std::string_view name) const {
    if (!IsKnownKey(key)) {
        return Place::None;
    }
    if (key == kMouseKey && desktop().speed && SameAscii(name, settings::kMouseSensitivity)) {
        return Place::Speed;
    }
    if (key == kMouseKey && desktop().doubleClick && SameAscii(name, settings::kDoubleClickSpeed)) {
        return Place::DoubleClick;
    }
    return Place::File;
}

std::optional<std::string> DesktopPointerStore::loadFile() const {
    if (file_.empty()) {
        return std::nullopt;
    }
    std::error_code ec;
    const fs::file_status status = fs::status(file_, ec);
    if (status.type() == fs::file_type::not_found) {
        // Not there yet: usable when the nearest existing folder on its way is one.
        for (fs::path folder = fs::absolute(file_, ec).parent_path(); !folder.empty();
             folder = folder.parent_path()) {
            const fs::file_status above = fs::status(folder, ec);
            if (above.type() != fs::file_type::not_found) {
                return fs::is_directory(above) ? std::optional<std::string>(std::string())
                                               : std::nullopt;
            }
            if (folder == folder.parent_path()) {
                break;
            }
        }
        return std::nullopt;
    }
    if (ec) {
        return std::nullopt;
    }
    std::string error;
    const auto bytes = image::ReadFileBytes(file_, kMaxFileSize, error);
    if (!bytes) {
        return std::nullopt;
    }
    return std::string(bytes->begin(), bytes->end());
}

bool DesktopPointerStore::openKey(std::string_view key) {
    if (!IsKnownKey(key)) {
        return false;
    }
    if (key == kMouseKey && (desktop().speed || desktop().doubleClick)) {
        return true;
    }
    return loadFile().has_value();
}

bool DesktopPointerStore::valueExists(std::string_view key, std::string_view name) {
    return readText(key, name).has_value();
}

std::optional<std::string> DesktopPointerStore::readText(std::string_view key,
                                                         std::string_view name) {
    switch (placeOf(key, name)) {
        case Place::None:
            return std::nullopt;
        case Place::Speed:
            return std::to_string(SensitivityOfGnomeSpeed(desktop().getSpeed()));
        case Place::DoubleClick:
            return std::to_string(desktop().getDoubleClick());
        case Place::File:
            break;
    }
    const std::optional<std::string> text = loadFile();
    if (!text) {
        return std::nullopt;
    }
    return FindSettingsValue(*text, key, name);
}

bool DesktopPointerStore::writeText(std::string_view key, std::string_view name,
                                    std::string_view value) {
    const Place place = placeOf(key, name);
    if (place == Place::Speed || place == Place::DoubleClick) {
        const std::optional<int> number = settings::ParseDecimal(value);
        if (!number) {
            return false;
        }
        if (place == Place::Speed) {
            return *number >= kMinSensitivity && *number <= kMaxSensitivity &&
                   desktop().setSpeed(*number);
        }
        return desktop().setDoubleClick(*number);
    }
    if (place != Place::File || !IsStorableName(name) || !IsStorableValue(value)) {
        return false;
    }
    const std::optional<std::string> text = loadFile();
    if (!text) {
        return false;  // never overwrite a file that could not be read
    }
    const std::string updated = WithSettingsValue(*text, key, name, value);
    if (updated.size() > kMaxFileSize) {
        return false;  // it could not be read back
    }
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(updated.data());
    return !image::WriteFileAtomically(file_, std::span(bytes, updated.size()));
}

void DesktopPointerStore::setMouseSpeed(int sensitivity) {
    if (desktop().speed && sensitivity >= kMinSensitivity && sensitivity <= kMaxSensitivity) {
        desktop().setSpeed(sensitivity);
    }
}

void DesktopPointerStore::setMouseAcceleration(int, int, int) {}

void DesktopPointerStore::setDoubleClickTime(int milliseconds) {
    if (desktop().doubleClick) {
        desktop().setDoubleClick(milliseconds);
    }
}

void DesktopPointerStore::setWheelScrollLines(int) {}

}  // namespace vtr::platform
