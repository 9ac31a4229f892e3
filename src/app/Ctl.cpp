#include "app/Ctl.h"

#include "app/CtlMacros.h"
#include "app/CtlSettings.h"
#include "app/SimulateOption.h"
#include "editor/Editor.h"
#include "settings/MemoryPointerStore.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

#include "device/DeviceOperations.h"
#include "device/Protocol.h"
#include "device/SimulatedMouse.h"
#include "device/TracingBackend.h"
#include "device/Transport.h"
#include "image/ConfigImage.h"
#include "image/FileIo.h"
#include "image/MemoryMap.h"
#include "text/Language.h"

namespace vtr::app {

namespace fs = std::filesystem;
namespace img = vtr::image;
using namespace vtr::device;

namespace {

constexpr const char* kProgram = "vtr6420kdctl";

constexpr const char* kMainUsage =
    R"(Usage: vtr6420kdctl [OPTIONS] COMMAND [ARGS]

Reads and writes the configuration memory of a VTR6420KD Gaming Mouse.

Commands:
  list          show the mouse's HID interfaces
  status        identify the mouse: signature, memory-ready flag, device type
  read FILE     read the whole configuration into a profile file
  write FILE    write a profile file into the mouse
  show          show the decoded settings of the mouse or of a profile file
  set WHAT ...  change settings of the mouse or a profile file (button, cpi, lighting, fire)
  apply FILE    load a profile file and write it into the mouse, like Load Profile and Apply
  save FILE     read the mouse and save its settings, like Save Profile
  reset         write the built-in defaults into the mouse, macros included
  pointer show|set
                the desktop's pointer speed, double-click speed and scroll lines
  macro ...     list, show, set, new, rename, delete, clear, export and import macros
  help [COMMAND]

Options:
  --simulate[=FILE]    use a simulated mouse whose memory is kept in FILE
                       (default: $XDG_STATE_HOME/vtr6420kd/simulated-mouse.bin)
  --simulate-type=2|10 device type of a newly created simulated mouse (default 10)
  --trace              print every feature report sent and received on stderr
  --file=PROFILE       show or set: work on a profile file instead of the mouse
  --lang=1|2|3         names in English (1), Traditional (2) or Simplified Chinese (3)
  --json               show: print JSON
  -h, --help           show this help (also after a command)

Exit status: 0 success, 1 device or protocol failure, 2 usage error or bad input.
)";

const std::map<std::string, std::string> kCommandUsage = {
    {"list", R"(Usage: vtr6420kdctl [OPTIONS] list

Lists the HID interfaces with the mouse's vendor and product id (1BCF:08A0):
path, ids and feature report length. The configuration interface is the one
with an 8-byte feature report. Exit status 1 when none is found.
)"},
    {"status", R"(Usage: vtr6420kdctl [OPTIONS] status

Opens the mouse's configuration interface and shows its signature (0xAA),
whether its configuration memory is ready, and its device type (2 or 10).
)"},
    {"read", R"(Usage: vtr6420kdctl [OPTIONS] read FILE

Reads the parameter area, the button table and the macro area of the mouse's
device type into FILE in the profile layout: 235 bytes for type 2, 583 bytes
for type 10. The file is replaced atomically and only after a complete read;
a read with unanswered chunks is an error and leaves FILE as it was.
)"},
    {"write", R"(Usage: vtr6420kdctl [OPTIONS] write FILE

Writes a profile file (235 bytes for device type 2, 583 for type 10) into the
mouse in one transaction: parameter area, button table, macro area. A file
whose size or type byte (offset 42) does not match the mouse is refused and
nothing is written.
)"},
    {"show", R"(Usage: vtr6420kdctl [OPTIONS] show [--json] [--file=PROFILE] [--lang=1|2|3]

Shows the settings of the mouse (read from it) or of a profile file: the nine
buttons (code and name), the CPI levels (enabled, value, current, colour), the
lighting (variant, option group and option, the two switches, timings) and the
fire key (repeat count, delay). --json prints the same as a JSON object (the
README describes its fields).
)"},
    {"set", R"(Usage: vtr6420kdctl [OPTIONS] set [--file=PROFILE] WHAT ...

Changes settings of the mouse (read, changed, written back like Apply) or, with
--file, of a profile file (written back atomically). Nothing is written when
anything is wrong.

  set button N FUNCTION      N is 1..9; FUNCTION is a name (left, right, middle,
                             backward, forward, fire, cpi, cpi-up, cpi-down,
                             led-switch, volume-up, play-pause, www-home, ...),
                             a keyboard key with modifiers (ctrl+shift+a, f5,
                             alt+tab) or six hex digits of a raw code (010100).
                             The last button with Left Key keeps it.
  set cpi [--levels=V,V,...] [--current=N] [--colours=C,C,...]
                             levels: 1 to 8 values of 500, 800, 1000, 1200,
                             1600, 2000, 2400, 3200; current: an enabled level;
                             colours: 0..6 for levels 1..7
  set lighting [--option=N] [--effect=on|off] [--effect-switch=on|off]
               [--nt1-time=T] [--nt2-time=T] [--nt2-hold=T] [--nt3-time=T]
               [--nt3-count=T] [--off-time=T] [--rise-time=T]
               [--light-time=T] [--fall-time=T]
                             option: within the mouse's lighting group (NT 1..5,
                             colour mode 1..2, breathing 1..4); T is 0..255
  set fire [--repeat=N] [--delay=N]
                             repeat 0 or 2..127, delay 0 or 2..255

Exit status 2 and nothing written on bad input.
)"},
    {"apply", R"(Usage: vtr6420kdctl [OPTIONS] apply FILE

Reads the mouse, loads the profile FILE like Load Profile (at least 43 bytes;
its type byte at offset 42 must be the mouse's device type) and writes it into
the mouse like Apply, macros included when the file holds them.
)"},
    {"save", R"(Usage: vtr6420kdctl [OPTIONS] save FILE

Reads the mouse and saves its settings like Save Profile: ".bin" is added when
FILE does not end in it; the file is replaced atomically.
)"},
    {"reset", R"(Usage: vtr6420kdctl [OPTIONS] reset

Writes the built-in default settings and macros into the mouse.
)"},
    {"pointer", R"(Usage: vtr6420kdctl [OPTIONS] pointer show [--json]
       vtr6420kdctl [OPTIONS] pointer set [--speed=N] [--double-click=N] [--scroll-lines=N]

The desktop's pointer speed, double-click speed and wheel scroll lines as the
editor's three bars: positions 1..10 (0: the current value is not one of the
steps). `set` writes the chosen steps and passes them to the desktop; the mouse
is not needed.
)"},
    {"macro", std::string(R"(Usage: vtr6420kdctl [OPTIONS] macro COMMAND [--file=PROFILE]

Macros of the mouse (saved into it like Save Macro) or, with --file, of a
profile file. Macros are numbered from 1 as `macro list` shows them.

  macro list                 names and sizes
  macro show N               the steps, as the step view shows them
  macro set N STEPS...       replace the steps (syntax below)
  macro new NAME             a new, empty macro (type 10; 14 characters at most)
  macro rename N NAME        (type 10)
  macro delete N             (type 10); buttons follow their macros
  macro clear N              remove every step
  macro export N FILE        one macro (164 or 288 bytes)
  macro export-all FILE      the whole macro area (164 or 512 bytes)
  macro import N FILE        one macro into macro N
  macro import-all FILE      the whole macro area
A button takes a macro with: set button N macro:NAME

)") + kMacroStepSyntax + "\n"},
    {"help", R"(Usage: vtr6420kdctl help [COMMAND]

Shows the help of the tool or of one command.
)"},
};

struct Options {
    SimulateOption simulate;
    bool trace = false;
    bool help = false;
    bool json = false;
    std::optional<fs::path> file;
    int language = 1;
    std::string command;
    std::vector<std::string> operands;
};

std::optional<Options> parseArguments(const std::vector<std::string>& args,
                                      const CtlEnvironment& env, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--file" || arg.rfind("--file=", 0) == 0) {
            if (arg == "--file" && i + 1 == args.size()) {
                error = "--file needs a file name";
                return std::nullopt;
            }
            const std::string file = arg == "--file" ? args[++i] : arg.substr(7);
            if (file.empty()) {
                error = "--file needs a file name";
                return std::nullopt;
            }
            options.file = file;
        } else if (arg.rfind("--lang=", 0) == 0) {
            const std::string value = arg.substr(7);
            if (value != "1" && value != "2" && value != "3") {
                error = "--lang must be 1, 2 or 3, not '" + value + "'";
                return std::nullopt;
            }
            options.language = value[0] - '0';
        } else if (arg == "--json") {
            options.json = true;
        } else if ((options.command == "set" || options.command == "pointer" ||
                    options.command == "macro") &&
                   arg != "-h" &&
                   arg != "--help" && arg != "--json" && arg != "--trace" &&
                   arg.rfind("--simulate", 0) != 0) {
            options.operands.push_back(arg);  // the edit's own words and options
        } else if (ParseSimulateArgument(arg, env.defaultSimulateFile, options.simulate, error)) {
            if (!error.empty()) {
                return std::nullopt;
            }
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.operands.push_back(arg);
        }
    }
    return options;
}

std::string hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

std::string hex2(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

// Draws "reading [#####     ]  50%" on a terminal once a transfer has taken
// more than a second.
class Progress {
  public:
    Progress(const CtlEnvironment& env, const char* verb, int totalChunks)
        : env_(env), verb_(verb), total_(totalChunks), start_(env.clock->nowMs()) {}
    ~Progress() {
        if (drawn_) {
            *env_.err << "\r\033[K" << std::flush;
        }
    }
    void chunk() {
        ++done_;
        if (!env_.errIsTerminal || env_.clock->nowMs() - start_ < 1000) {
            return;
        }
        const int percent = total_ > 0 ? std::min(100, done_ * 100 / total_) : 100;
        const int filled = percent * 30 / 100;
        *env_.err << '\r' << verb_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(30 - filled), ' ') << "] " << percent
                  << "%" << std::flush;
        drawn_ = true;
    }

  private:
    const CtlEnvironment& env_;
    const char* verb_;
    int total_;
    int done_ = 0;
    std::uint64_t start_;
    bool drawn_ = false;
};

// The editor's dialogs on a terminal: messages go to stderr, the file is the
// one named on the command line.
class CliPrompts final : public editor::Prompts {
  public:
    explicit CliPrompts(std::ostream& err) : err_(err) {}
    void message(const std::string& text) override {
        std::string line = text;
        std::replace(line.begin(), line.end(), '\r', '\n');
        err_ << kProgram << ": " << line << '\n';
        ++messages;
    }
    bool question(const std::string&) override { return false; }
    std::optional<fs::path> saveFile(const editor::FileFilter&) override { return file; }
    std::optional<fs::path> openFile(const editor::FileFilter&) override { return file; }

    std::optional<fs::path> file;
    int messages = 0;

  private:
    std::ostream& err_;
};

class Session {
  public:
    Session(const Options& options, const CtlEnvironment& env) : options_(options), env_(env) {}

    // Sets up the backend; false (with a message) when that fails.
    bool prepare() {
        if (options_.simulate.file) {
            std::string error;
            backend_ = OpenSimulatedMouse(options_.simulate, error);
            if (!backend_) {
                fail(error);
                return false;
            }
        } else {
            backend_ = env_.realBackend();
        }
        active_ = backend_.get();
        if (options_.trace) {
            tracing_ = std::make_unique<TracingBackend>(*backend_, *env_.err);
            active_ = tracing_.get();
        }
        transport_ = std::make_unique<Transport>(*active_, *env_.clock);
        return true;
    }

    HidBackend& backend() { return *active_; }
    Transport& transport() { return *transport_; }

    // Opens the configuration interface, explaining why when it cannot.
    bool open() {
        if (transport_->OpenDevice(protocol::kVendorId, protocol::kProductId)) {
            return true;
        }
        std::vector<HidInterfaceInfo> ours;
        for (const HidInterfaceInfo& info : active_->enumerate()) {
            if (info.vendorId == protocol::kVendorId && info.productId == protocol::kProductId) {
                ours.push_back(info);
            }
        }
        for (const HidInterfaceInfo& info : ours) {
            if (info.featureReportLength != protocol::kReportLength) {
                continue;
            }
            std::string reason;
            if (!active_->open(info.path, &reason)) {
                fail("the mouse was found at " + info.path + " but cannot be opened: " + reason +
                     "\nThe udev rule 70-vtr6420kd.rules lets the logged-in user open the "
                     "mouse: install it (the package puts it in /usr/lib/udev/rules.d; by "
                     "hand, copy it to /etc/udev/rules.d), then run as root: "
                     "udevadm control --reload and udevadm trigger");
                return false;
            }
        }
        if (!ours.empty()) {
            fail("the mouse was found but none of its interfaces is the configuration interface");
            return false;
        }
        fail("no VTR6420KD mouse found");
        return false;
    }

    // Explains a transaction that did not reach its body.
    bool reportTransaction(const TransactionResult& result) {
        switch (result.outcome) {
            case TransactionOutcome::OpenRefused:
            case TransactionOutcome::StatusRefused:
                fail("the mouse did not acknowledge the command");
                return false;
            case TransactionOutcome::WrongSignature:
                fail("the interface answered with signature " + hex2(result.signature) +
                     " instead of 0xAA: not a VTR6420KD configuration interface");
                return false;
            case TransactionOutcome::NotReady:
                fail("the mouse's configuration memory is not ready; try again");
                return false;
            case TransactionOutcome::Completed:
                return true;
        }
        return false;
    }

    void fail(const std::string& message) { *env_.err << kProgram << ": " << message << '\n'; }

    // An editing session on this backend: defaults loaded, pointer settings
    // read, the language chosen.
    editor::Editor& editor(int language) {
        if (!editor_) {
            // Only `pointer` touches the desktop's pointer settings; the mouse
            // commands leave them as they are.
            if (options_.command == "pointer") {
                pointerStore_ = env_.pointerStore();
            } else {
                pointerStore_ = std::make_unique<settings::MemoryPointerStore>();
            }
            prompts_ = std::make_unique<CliPrompts>(*env_.err);
            editor_ =
                std::make_unique<editor::Editor>(*active_, *env_.clock, *prompts_, *pointerStore_);
            editor_->FormCreate();
            editor_->setLanguage(language);
        }
        return *editor_;
    }
    CliPrompts& prompts() { return *prompts_; }

  private:
    const Options& options_;
    const CtlEnvironment& env_;
    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<TracingBackend> tracing_;
    HidBackend* active_ = nullptr;
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<settings::PointerSettingsStore> pointerStore_;
    std::unique_ptr<CliPrompts> prompts_;
    std::unique_ptr<editor::Editor> editor_;
};

int commandList(Session& session, const CtlEnvironment& env) {
    bool found = false;
    for (const HidInterfaceInfo& info : session.backend().enumerate()) {
        if (info.vendorId != protocol::kVendorId || info.productId != protocol::kProductId) {
            continue;
        }
        found = true;
        *env.out << info.path << "  " << hex4(info.vendorId) << ':' << hex4(info.productId)
                 << "  feature report " << info.featureReportLength << " bytes"
                 << (info.featureReportLength == protocol::kReportLength
                         ? "  (configuration interface)"
                         : "")
                 << '\n';
    }
    if (!found) {
        session.fail("no VTR6420KD mouse found");
        return kExitDevice;
    }
    return kExitOk;
}

int commandStatus(Session& session, const CtlEnvironment& env) {
    if (!session.open()) {
        return kExitDevice;
    }
    int type = 0;
    const TransactionResult result = ConfigTransaction(session.transport(), [&](Transport& t) {
        type = ReadDeviceType(t);
        return type != 0;
    });
    if (result.outcome == TransactionOutcome::OpenRefused ||
        result.outcome == TransactionOutcome::StatusRefused) {
        return session.reportTransaction(result), kExitDevice;
    }
    *env.out << "signature:    " << hex2(result.signature)
             << (result.signature == protocol::kSignature ? " (VTR6420KD configuration interface)"
                                                          : " (unexpected)")
             << '\n';
    if (result.outcome == TransactionOutcome::WrongSignature) {
        return session.reportTransaction(result), kExitDevice;
    }
    *env.out << "memory ready: " << (result.memoryReady() ? "yes" : "no") << '\n';
    if (result.outcome == TransactionOutcome::NotReady) {
        return kExitDevice;
    }
    *env.out << "device type:  " << (type != 0 ? std::to_string(type) : "unknown") << '\n';
    if (type == 0) {
        session.fail("the device type byte could not be read");
        return kExitDevice;
    }
    return kExitOk;
}

// Reads the mouse's whole configuration memory. Returns the exit status of a
// failure, or nothing with `image` and `type` filled.
std::optional<int> readMouse(Session& session, const CtlEnvironment& env, img::ConfigImage& image,
                             int& type, const std::string& whatFails) {
    if (!session.open()) {
        return kExitDevice;
    }
    TransferTotals totals;
    const TransactionResult result = ConfigTransaction(session.transport(), [&](Transport& t) {
        type = ReadDeviceType(t);
        if (type == 0) {
            return false;
        }
        Progress progress(env, "reading", ReadAllChunkCount(type));
        t.setBetweenChunks([&](int, int) { progress.chunk(); });
        totals = ReadAllAreas(t, type, image);
        t.setBetweenChunks(nullptr);
        return totals.ok();
    });
    if (!session.reportTransaction(result)) {
        return kExitDevice;
    }
    if (type == 0) {
        session.fail("the device type byte could not be read");
        return kExitDevice;
    }
    if (!totals.ok()) {
        session.fail("the read failed: " + std::to_string(totals.failedChunks) + " of " +
                     std::to_string(totals.chunks) + " chunks unanswered, " +
                     std::to_string(totals.refusedRanges) + " ranges refused; " + whatFails);
        return kExitDevice;
    }
    return std::nullopt;
}

int commandRead(Session& session, const Options& options, const CtlEnvironment& env) {
    const fs::path file = options.operands.at(0);
    img::ConfigImage image;
    int type = 0;
    if (const auto failed =
            readMouse(session, env, image, type, file.string() + " was not written")) {
        return *failed;
    }
    const auto bytes = image.toProfileBytes(type);
    if (const auto error = img::WriteFileAtomically(file, bytes)) {
        session.fail(*error);
        return kExitUsage;
    }
    *env.out << "read " << bytes.size() << " bytes (device type " << type << ") into "
             << file.string() << '\n';
    return kExitOk;
}

int commandShow(Session& session, const Options& options, const CtlEnvironment& env) {
    ProfileFile profile;
    if (options.file) {
        std::string error;
        auto loaded = LoadProfileFile(*options.file, error);
        if (!loaded) {
            session.fail(error);
            return kExitUsage;
        }
        profile = std::move(*loaded);
    } else if (const auto failed = readMouse(session, env, profile.image, profile.deviceType,
                                             "nothing to show")) {
        return *failed;
    }
    text::Languages languages;
    languages.setCurrent(options.language);
    const int type = profile.deviceType;
    ProfileSession decoded(languages, std::move(profile));
    if (options.json) {
        *env.out << SettingsJson(decoded.settings, type).dump(2) << '\n';
    } else {
        *env.out << SettingsText(decoded.settings, type);
    }
    return kExitOk;
}

// Opens and reads the mouse through the editor, with progress on a terminal.
std::optional<int> connectEditor(Session& session, const Options& options, editor::Editor*& out) {
    editor::Editor& editor = session.editor(options.language);
    if (!editor.ConnectNow()) {
        return kExitDevice;
    }
    out = &editor;
    return std::nullopt;
}

// Runs a write of the editor with a progress bar.
template <typename Write>
bool withProgress(editor::Editor& editor, const CtlEnvironment& env, Write write) {
    std::unique_ptr<Progress> progress;
    editor.hooks().progress = [&](int done, int total) {
        if (!progress) {
            progress = std::make_unique<Progress>(env, "writing", total);
        }
        (void)done;
        progress->chunk();
    };
    const bool written = write();
    editor.hooks().progress = nullptr;
    return written;
}

int commandSet(Session& session, const Options& options, const CtlEnvironment& env) {
    if (!options.file) {
        editor::Editor* editor = nullptr;
        if (const auto failed = connectEditor(session, options, editor)) {
            return *failed;
        }
        if (const auto refused = ApplySetCommand(editor->settings(), options.operands)) {
            const auto newline = refused->find('\n');
            session.fail(refused->substr(0, newline) + "; nothing was written");
            if (newline != std::string::npos) {
                *env.err << refused->substr(newline + 1) << '\n';
            }
            return kExitUsage;
        }
        if (!withProgress(*editor, env, [&] { return editor->Btn_Apply_0Click(); })) {
            return kExitDevice;
        }
        *env.out << "changed the mouse's settings\n";
        return kExitOk;
    }
    std::string error;
    auto profile = LoadProfileFile(*options.file, error);
    if (!profile) {
        session.fail(error);
        return kExitUsage;
    }
    text::Languages languages;
    languages.setCurrent(options.language);
    ProfileSession edited(languages, std::move(*profile));
    if (const auto refused = ApplySetCommand(edited.settings, options.operands)) {
        // The first line says what is wrong; what follows lists what is accepted.
        const auto newline = refused->find('\n');
        session.fail(refused->substr(0, newline) + "; " + options.file->string() +
                     " was not changed");
        if (newline != std::string::npos) {
            *env.err << refused->substr(newline + 1) << '\n';
        }
        return kExitUsage;
    }
    if (const auto failed = img::WriteFileAtomically(*options.file, edited.encode())) {
        session.fail(*failed);
        return kExitUsage;
    }
    *env.out << "changed " << options.file->string() << '\n';
    return kExitOk;
}

int commandMacro(Session& session, const Options& options, const CtlEnvironment& env) {
    text::Languages languages;
    languages.setCurrent(options.language);
    const auto text = [&](const std::string& key) { return languages.text(key); };
    const auto finish = [&](const MacroCommandResult& result) {
        *env.out << result.output;
        if (!result.error.empty()) {
            session.fail(result.error);
        }
    };
    if (options.file) {
        std::string error;
        auto profile = LoadProfileFile(*options.file, error);
        if (!profile) {
            session.fail(error);
            return kExitUsage;
        }
        ProfileSession edited(languages, std::move(*profile));
        const MacroCommandResult result = RunMacroCommand(
            edited.macroEditor, edited.settings.buttons, options.operands, text);
        finish(result);
        if (result.exitStatus != kExitOk) {
            return result.exitStatus;
        }
        if (result.changed) {
            if (const auto failed = img::WriteFileAtomically(*options.file, edited.encode())) {
                session.fail(*failed);
                return kExitUsage;
            }
        }
        return kExitOk;
    }
    editor::Editor* editor = nullptr;
    if (const auto failed = connectEditor(session, options, editor)) {
        return *failed;
    }
    const MacroCommandResult result = RunMacroCommand(
        editor->macroEditor(), editor->settings().buttons, options.operands, text);
    finish(result);
    if (result.exitStatus != kExitOk) {
        return result.exitStatus;
    }
    if (result.changed) {
        editor->setMacroChanged(true);
        if (!withProgress(*editor, env, [&] { return editor->Btn_SaveMacroClick(); })) {
            return kExitDevice;
        }
    }
    return kExitOk;
}

int commandApply(Session& session, const Options& options, const CtlEnvironment& env) {
    editor::Editor* editor = nullptr;
    if (const auto failed = connectEditor(session, options, editor)) {
        return *failed;
    }
    session.prompts().file = options.operands.at(0);
    if (!editor->Btn_Load_0Click()) {
        return kExitUsage;
    }
    if (!withProgress(*editor, env, [&] { return editor->Btn_Apply_0Click(); })) {
        return kExitDevice;
    }
    *env.out << "wrote " << options.operands[0] << " into the mouse\n";
    return kExitOk;
}

int commandSave(Session& session, const Options& options, const CtlEnvironment& env) {
    editor::Editor* editor = nullptr;
    if (const auto failed = connectEditor(session, options, editor)) {
        return *failed;
    }
    session.prompts().file = options.operands.at(0);
    if (!editor->Btn_Save_0Click()) {
        return kExitUsage;
    }
    *env.out << "saved the mouse's settings\n";
    return kExitOk;
}

int commandReset(Session& session, const Options& options, const CtlEnvironment& env) {
    editor::Editor* editor = nullptr;
    if (const auto failed = connectEditor(session, options, editor)) {
        return *failed;
    }
    if (!withProgress(*editor, env, [&] { return editor->Btn_Reset_0Click(); })) {
        return kExitDevice;
    }
    *env.out << "wrote the default settings into the mouse\n";
    return kExitOk;
}

struct PointerOption {
    const char* name;
    settings::PointerBar bar;
    const char* jsonName;
};
constexpr PointerOption kPointerOptions[] = {
    {"speed", settings::PointerBar::Speed, "speed"},
    {"double-click", settings::PointerBar::DoubleClick, "doubleClick"},
    {"scroll-lines", settings::PointerBar::ScrollLines, "scrollLines"},
};

int commandPointer(Session& session, const Options& options, const CtlEnvironment& env) {
    editor::Editor& editor = session.editor(options.language);
    settings::PointerSettings& pointer = editor.pointer();
    const auto valueOf = [&](settings::PointerBar bar) {
        switch (bar) {
            case settings::PointerBar::Speed:
                return pointer.speedValue();
            case settings::PointerBar::DoubleClick:
                return pointer.doubleClickTime();
            case settings::PointerBar::ScrollLines:
                break;
        }
        return pointer.scrollLines();
    };
    const std::string verb = options.operands.empty() ? std::string() : options.operands[0];
    if (verb == "show" && options.operands.size() == 1) {
        nlohmann::ordered_json json = nlohmann::ordered_json::object();
        for (const PointerOption& o : kPointerOptions) {
            json[o.jsonName] = {
                {"position", pointer.position(o.bar)},
                {"value", pointer.hasValue(o.bar) ? nlohmann::ordered_json(valueOf(o.bar))
                                                  : nlohmann::ordered_json(nullptr)}};
        }
        if (options.json) {
            *env.out << json.dump(2) << '\n';
        } else {
            for (const PointerOption& o : kPointerOptions) {
                *env.out << o.name << ": position " << pointer.position(o.bar) << " (value "
                         << (pointer.hasValue(o.bar) ? std::to_string(valueOf(o.bar))
                                                     : std::string("not set"))
                         << ")\n";
            }
        }
        return kExitOk;
    }
    if (verb != "set") {
        session.fail("pointer show or pointer set");
        return kExitUsage;
    }
    std::vector<std::pair<settings::PointerBar, int>> clicks;
    for (std::size_t i = 1; i < options.operands.size(); ++i) {
        std::string name = options.operands[i];
        std::string value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        } else if (i + 1 < options.operands.size()) {
            value = options.operands[++i];
        }
        const PointerOption* option = nullptr;
        for (const PointerOption& o : kPointerOptions) {
            if (name == std::string("--") + o.name) {
                option = &o;
            }
        }
        if (option == nullptr) {
            session.fail("unknown pointer setting '" + name +
                         "' (accepted: --speed, --double-click, --scroll-lines)");
            return kExitUsage;
        }
        const bool digits = !value.empty() && value.size() <= 2 &&
                            std::all_of(value.begin(), value.end(), ::isdigit);
        const int position = digits ? std::stoi(value) : 0;
        if (position < 1 || position > settings::kPointerSteps) {
            session.fail("--" + std::string(option->name) + " takes a position 1..10, not '" +
                         value + "'");
            return kExitUsage;
        }
        clicks.emplace_back(option->bar, position);
    }
    if (clicks.empty()) {
        session.fail("nothing to set (--speed, --double-click, --scroll-lines)");
        return kExitUsage;
    }
    for (const auto& [bar, position] : clicks) {
        pointer.click(bar, position);
    }
    editor.ChangePointerSettings();
    *env.out << "changed the pointer settings\n";
    return kExitOk;
}

int commandWrite(Session& session, const Options& options, const CtlEnvironment& env) {
    const fs::path file = options.operands.at(0);
    std::string error;
    const auto profile = LoadProfileFile(file, error);
    if (!profile) {
        session.fail(error);
        return kExitUsage;
    }
    const int fileType = profile->deviceType;
    const img::ConfigImage& image = profile->image;

    if (!session.open()) {
        return kExitDevice;
    }
    int mouseType = 0;
    TransferTotals totals;
    const TransactionResult result = ConfigTransaction(session.transport(), [&](Transport& t) {
        mouseType = ReadDeviceType(t);
        if (mouseType != fileType) {
            return false;  // nothing is written
        }
        Progress progress(env, "writing", WriteAllChunkCount(fileType, true));
        t.setBetweenChunks([&](int, int) { progress.chunk(); });
        totals = WriteAllAreas(t, fileType, image, true);
        t.setBetweenChunks(nullptr);
        return totals.ok();
    });
    if (!session.reportTransaction(result)) {
        return kExitDevice;
    }
    if (mouseType == 0) {
        session.fail("the device type byte could not be read; nothing was written");
        return kExitDevice;
    }
    if (mouseType != fileType) {
        session.fail(file.string() + " is a profile for device type " + std::to_string(fileType) +
                     " but the mouse is of device type " + std::to_string(mouseType) +
                     "; nothing was written");
        return kExitUsage;
    }
    if (!totals.ok()) {
        session.fail("the write failed: " + std::to_string(totals.failedChunks) + " of " +
                     std::to_string(totals.chunks) + " chunks unanswered, " +
                     std::to_string(totals.refusedRanges) +
                     " ranges refused; the mouse may hold a partly written configuration");
        return kExitDevice;
    }
    *env.out << "wrote " << profile->size << " bytes (device type " << fileType << ") from "
             << file.string() << '\n';
    return kExitOk;
}

}  // namespace

int RunCtl(const std::vector<std::string>& args, const CtlEnvironment& env) {
    std::string error;
    const auto options = parseArguments(args, env, error);
    if (!options) {
        *env.err << kProgram << ": " << error << "\n\n" << kMainUsage;
        return kExitUsage;
    }
    if (options->command.empty()) {
        if (options->help) {
            *env.out << kMainUsage;
            return kExitOk;
        }
        *env.err << kProgram << ": no command given\n\n" << kMainUsage;
        return kExitUsage;
    }
    const auto usage = kCommandUsage.find(options->command);
    if (usage == kCommandUsage.end()) {
        *env.err << kProgram << ": unknown command '" << options->command << "'\n\n" << kMainUsage;
        return kExitUsage;
    }
    if (options->command == "help") {
        if (options->operands.empty()) {
            *env.out << kMainUsage;
            return kExitOk;
        }
        const auto topic = kCommandUsage.find(options->operands[0]);
        if (topic == kCommandUsage.end()) {
            *env.err << kProgram << ": no such command '" << options->operands[0] << "'\n";
            return kExitUsage;
        }
        *env.out << topic->second;
        return kExitOk;
    }
    if (options->help) {
        *env.out << usage->second;
        return kExitOk;
    }
    const bool needsFile = options->command == "read" || options->command == "write" ||
                           options->command == "apply" || options->command == "save";
    const std::size_t expected = needsFile ? 1 : 0;
    if (options->command != "set" && options->command != "pointer" &&
        options->command != "macro" &&
        options->operands.size() != expected) {
        *env.err << kProgram << ": " << options->command
                 << (needsFile ? " needs exactly one FILE" : " takes no arguments") << "\n\n"
                 << usage->second;
        return kExitUsage;
    }

    Session session(*options, env);
    if (!session.prepare()) {
        return kExitUsage;
    }
    if (options->command == "list") {
        return commandList(session, env);
    }
    if (options->command == "status") {
        return commandStatus(session, env);
    }
    if (options->command == "read") {
        return commandRead(session, *options, env);
    }
    if (options->command == "show") {
        return commandShow(session, *options, env);
    }
    if (options->command == "set") {
        return commandSet(session, *options, env);
    }
    if (options->command == "apply") {
        return commandApply(session, *options, env);
    }
    if (options->command == "save") {
        return commandSave(session, *options, env);
    }
    if (options->command == "reset") {
        return commandReset(session, *options, env);
    }
    if (options->command == "pointer") {
        return commandPointer(session, *options, env);
    }
    if (options->command == "macro") {
        return commandMacro(session, *options, env);
    }
    return commandWrite(session, *options, env);
}

}  // namespace vtr::app
