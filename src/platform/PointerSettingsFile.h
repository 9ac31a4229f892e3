#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vtr::platform {

// The text of the per-user pointer settings file, where a desktop without a
// place for a setting keeps it: one section per key, one "name=value" line per
// value.
//
//   [Control Panel\Mouse]
//   MouseSensitivity=10
//   [Control Panel\Desktop]
//   WheelScrollLines=3
//
// Section and value names match without regard to ASCII case; blanks around
// them and around values are ignored; lines starting with ';' or '#' are
// comments and lines of no known form are passed over; of repeated sections or
// names the first counts. Lines end in LF or CR LF. Any text at all is
// readable: nothing is read or written outside the text given.

// The value of `name` in section `section`, or nothing.
std::optional<std::string> FindSettingsValue(std::string_view text, std::string_view section,
                                             std::string_view name);

// `text` with the value set: the first entry of that name in the first such
// section is replaced, else a line is added after the section's last line
// that is not blank, else the section is added at the end. Every other line
// stays as it was; the result ends with a line break.
// The section, name and value must be storable (see below).
std::string WithSettingsValue(std::string_view text, std::string_view section,
                              std::string_view name, std::string_view value);

// What can be stored so that it reads back the same: no control characters
// anywhere, no blanks at either end; a section name non-empty without ']';
// a value name non-empty, without '=', not starting with '[', ';' or '#'.
bool IsStorableSection(std::string_view section);
bool IsStorableName(std::string_view name);
bool IsStorableValue(std::string_view value);

}  // namespace vtr::platform
