#include "platform/PointerSettingsFile.h"

#include <cstddef>
#include <vector>

namespace vtr::platform {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The lines of a text, without their LF (a CR before it stays and is trimmed
// when the line is looked at). A final LF ends the last line, it does not
// start an empty one.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            lines.push_back(text);
            break;
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return lines;
}

// A section header's name, or nothing when the line is no header.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
        return std::nullopt;
    }
    return Trim(line.substr(1, line.size() - 2));
}

struct Entry {
    std::string_view name;
    std::string_view value;
};

std::optional<Entry> EntryOf(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[') {
        return std::nullopt;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// Where a section's lines are: its header and the line after its last one.
struct Span {
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<Span> FindSection(const std::vector<std::string_view>& lines,
                                std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string_view> name = SectionOf(lines[i]);
        if (!name || !SameName(*name, section)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionOf(lines[end])) {
            ++end;
        }
        return Span{i, end};
    }
    return std::nullopt;
}

bool StorableText(std::string_view s) {
    if (s.empty() || IsBlank(s.front()) || IsBlank(s.back())) {
        return false;
    }
    for (const char c : s) {
        if (IsControl(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsStorableSection(std::string_view section) {
    return StorableText(section) && section.find(']') == std::string_view::npos;
}

bool IsStorableName(std::string_view name) {
    return StorableText(name) && name.find('=') == std::string_view::npos && name.front() != '[' &&
           name.front() != ';' && name.front() != '#';
}

bool IsStorableValue(std::string_view value) {
    return value.empty() || StorableText(value);
}

std::optional<std::string> FindSettingsValue(std::string_view text, std::string_view section,
                                             std::string_view name) {
    const std::vector<std::string_view> lines = Lines(text);
    const std::optional<Span> span = FindSection(lines, section);
    if (!span) {
        return std::nullopt;
    }
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const std::optional<Entry> entry = EntryOf(lines[i]);
        if (entry && SameName(entry->name, name)) {
            return std::string(entry->value);
        }
    }
    return std::nullopt;
}

std::string WithSettingsValue(std::string_view text, std::string_view section,
                              std::string_view name, std::string_view value) {
    std::vector<std::string_view> lines = Lines(text);
    const std::string entry = std::string(name) + "=" + std::string(value);
    const std::string header = "[" + std::string(section) + "]";
    const std::optional<Span> span = FindSection(lines, section);
    if (!span) {
        lines.push_back(header);
        lines.push_back(entry);
    } else {
        std::size_t at = span->end;  // replace lines[at] when found, else insert before `at`
        bool replace = false;
        for (std::size_t i = span->header + 1; i < span->end; ++i) {
            const std::optional<Entry> found = EntryOf(lines[i]);
            if (found && SameName(found->name, name)) {
                at = i;
                replace = true;
                break;
            }
        }
        if (replace) {
            lines[at] = entry;
        } else {
            while (at > span->header + 1 && Trim(lines[at - 1]).empty()) {
                --at;
            }
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
        }
    }
    std::string out;
    for (const std::string_view line : lines) {
        out.append(line);
        out.push_back('\n');
    }
    return out;
}

}  // namespace vtr::platform
