// cinevane-host: the stand-in authoring host as a program. It loads the module, runs the
// handshake and Initialize, makes an object whose file is set through the property sheet, runs
// the frame at 60 frames per second while an event script calls the object's actions,
// conditions and expressions, prints a timeline of what happens, and ends with
// DestroyRunObject and Free.
#include <windows.h>
#ifdef _WIN32
#include <shellapi.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "demo_clip.h"
#include "host_script.h"
#include "host_session.h"
#include "host_text.h"
#include "module_api.h"
#include "process_figures.h"

#ifndef _WIN32
#include "standin/sandbox.h"
#endif

using namespace hoststandin;

namespace {

const char kUsage[] =
    "usage: cinevane-host [options] [media-file]\n"
    "  media-file          the file the object plays (default: a generated 3-second 320 x 240\n"
    "                      AVI with a moving bar, a frame counter and a tone)\n"
    "  --script FILE       run the event script in FILE instead of the built-in one\n"
    "  --grab PATH         where the built-in script grabs a frame (default out\\grab.png)\n"
    "  --screenshot PATH   also capture the frame window to a PNG file (Windows)\n"
    "  --log               turn on \"Log Mode\" and print the event log at the end\n"
    "  --audio-only        play a generated 3-second tone (WAV) instead of the clip\n"
    "  --clip WxHxF        the generated clip's width, height and frame count (25 a second;\n"
    "                      default 320x240x75)\n"
    "  --cycles N          afterwards, create and destroy an object with the file N times and\n"
    "                      report the process's handles and memory before and after\n"
    "  --timeout MS        longest run of the script (default 20000)\n"
    "  --module PATH       the module to load (Windows; default Cinevane.dll)\n"
    "  --out DIR           folder for generated files (default out)\n";

struct Options {
    std::string media;
    std::string scriptFile;
    std::string grab;
    std::string screenshot;
    std::string module = "Cinevane.dll";
    std::string out = "out";
    bool log = false;
    bool audioOnly = false;
    DemoClip clip;
    long cycles = 0;
    long timeoutMs = 20000;
};

bool ParseNumber(const char* text, long low, long high, long* value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (!*text || *end || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char** out) {
            if (i + 1 >= argc)
                return false;
            *out = argv[++i];
            return true;
        };
        const char* text = nullptr;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (arg == "--log") {
            options->log = true;
        } else if (arg == "--audio-only") {
            options->audioOnly = true;
        } else if (arg == "--script" && value(&text)) {
            options->scriptFile = text;
        } else if (arg == "--grab" && value(&text)) {
            options->grab = text;
        } else if (arg == "--screenshot" && value(&text)) {
            options->screenshot = text;
        } else if (arg == "--module" && value(&text)) {
            options->module = text;
        } else if (arg == "--out" && value(&text)) {
            options->out = text;
        } else if (arg == "--clip" && value(&text)) {
            long width = 0, height = 0, frames = 0;
            if (std::sscanf(text, "%ldx%ldx%ld", &width, &height, &frames) != 3 || width < 1 ||
                width > 4096 || height < 1 || height > 4096 || frames < 1 || frames > 100000)
                return false;
            options->clip.width = static_cast<int>(width);
            options->clip.height = static_cast<int>(height);
            options->clip.frames = static_cast<int>(frames);
        } else if (arg == "--cycles" && value(&text)) {
            if (!ParseNumber(text, 0, 100000, &options->cycles))
                return false;
        } else if (arg == "--timeout" && value(&text)) {
            if (!ParseNumber(text, 1, 3600000, &options->timeoutMs))
                return false;
        } else if (!arg.empty() && arg[0] != '-' && options->media.empty()) {
            options->media = arg;
        } else {
            return false;
        }
    }
    return true;
}

// Reads a whole file through the platform's file calls; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* bytes) {
    std::u16string wide = WideFromUtf8(path);
    HANDLE file = CreateFileW(AsWide(wide), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes->append(buffer, got);
    CloseHandle(file);
    return true;
}

const char kEventLogPath[] = "C:\\Cinevane\\EventLog.txt";

size_t EventLogSize() {
    std::string bytes;
    return ReadWholeFile(kEventLogPath, &bytes) ? bytes.size() : 0;
}

// Prints the UTF-16LE lines the module appended to its event log since `from` (a byte offset).
void PrintEventLog(size_t from) {
    std::string bytes;
    if (!ReadWholeFile(kEventLogPath, &bytes)) {
        std::printf("event log: %s cannot be read\n", kEventLogPath);
        return;
    }
    if (from > bytes.size() || from % 2)
        from = 0;
    std::u16string text;
    for (size_t i = from; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (!text.empty() && text[0] == 0xFEFF)
        text.erase(0, 1);
    std::printf("---- event log %s (this run) ----\n", kEventLogPath);
    std::u16string line;
    int lines = 0;
    for (char16_t unit : text) {
        if (unit == u'\n') {
            if (!line.empty() && line.back() == u'\r')
                line.pop_back();
            std::printf("%s\n", Utf8FromWide(AsWide(line)).c_str());
            line.clear();
            ++lines;
        } else {
            line += unit;
        }
    }
    if (!line.empty()) {
        std::printf("%s\n", Utf8FromWide(AsWide(line)).c_str());
        ++lines;
    }
    std::printf("---- %d lines ----\n", lines);
}

// The host's own files (scripts, media given on the command line) are files of the machine the
// program runs on, read with the C library on both builds.
bool ReadHostFile(const std::string& path, std::string* bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bytes->clear();
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes->append(buffer, got);
    std::fclose(file);
    return true;
}

bool ReadScript(const Options& options, Script* script) {
    std::string text;
    if (options.scriptFile.empty()) {
        text = DefaultScript(options.grab, options.screenshot);
    } else {
        if (!ReadHostFile(options.scriptFile, &text)) {
            std::fprintf(stderr, "cinevane-host: cannot read the script %s\n",
                         options.scriptFile.c_str());
            return false;
        }
        if (!options.screenshot.empty())
            text += "\n1000 screenshot \"" + options.screenshot + "\"\n";
    }
    std::string error;
    if (!ParseScript(text, script, &error)) {
        std::fprintf(stderr, "cinevane-host: %s: %s\n",
                     options.scriptFile.empty() ? "built-in script" : options.scriptFile.c_str(),
                     error.c_str());
        return false;
    }
    return true;
}

// Creates the default media in the output folder; returns its path, or "" on failure.
std::string GenerateMedia(const Options& options, Timeline& timeline) {
    std::u16string folder = WideFromUtf8(options.out);
    CreateDirectoryW(AsWide(folder), nullptr);
    const DemoClip& clip = options.clip;
    const std::string path = options.out + (options.audioOnly ? "\\tone.wav" : "\\clip.avi");
    std::vector<BYTE> bytes = options.audioOnly ? ToneWavBytes(3000) : DemoAviBytes(clip);
    std::u16string wide = WideFromUtf8(path);
    if (!WriteFileBytes(AsWide(wide), bytes)) {
        std::fprintf(stderr, "cinevane-host: cannot write %s\n", path.c_str());
        return "";
    }
    const std::string what =
        options.audioOnly ? "3 s tone of 440 Hz, 22050 Hz 16-bit mono WAV"
                          : std::to_string(clip.width) + " x " + std::to_string(clip.height) +
                                " uncompressed AVI, " + std::to_string(clip.frames) +
                                " frames at 25 fps, moving bar, frame counter, 440 Hz tone";
    timeline.Print("generated",
                   path + ": " + what + " (" + std::to_string(bytes.size()) + " bytes)");
    return path;
}

void LongRun(HostSession& session, const std::string& media, long cycles) {
    session.PrintCalls(false);
    ObjectOptions options;
    options.file = media;
    auto cycle = [&] {
        int number = session.CreateObject(options);
        session.Frame();
        session.Frame();
        session.DestroyObject(number);
        session.Frame();
    };
    for (int i = 0; i < 5; ++i) // warm-up: first-use allocations of the platform and the module
        cycle();
    ProcessFigures before = CurrentProcessFigures();
    for (long i = 0; i < cycles; ++i)
        cycle();
    ProcessFigures after = CurrentProcessFigures();
    session.PrintCalls(true);
    session.Report().Print("long run",
                           std::to_string(cycles) + " create/destroy cycles with " + media);
    session.Report().Print("before", Describe(before));
    session.Report().Print("after", Describe(after));
}

// The program's arguments in UTF-8: on Windows from the wide command line, so that file names
// outside the ANSI code page arrive intact.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    std::vector<std::string> arguments;
#ifdef _WIN32
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide) {
        for (int i = 0; i < count; ++i)
            arguments.push_back(Utf8FromWide(wide[i]));
        LocalFree(wide);
        return arguments;
    }
#endif
    for (int i = 0; i < argc; ++i)
        arguments.push_back(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments = Utf8Arguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments)
        pointers.push_back(&argument[0]);
    Options options;
    if (!ParseOptions(static_cast<int>(pointers.size()), pointers.data(), &options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options.grab.empty())
        options.grab = options.out + "\\grab.png";
#ifndef _WIN32
    // The stand-in's files live in a sandbox folder; keep it where a person can find it.
    if (!std::getenv("CINEVANE_SANDBOX"))
        standin::SetSandboxRoot("cinevane-host-sandbox");
    std::printf("native build: Windows paths live under %s\n", standin::SandboxRoot().c_str());
#endif
    Script script;
    if (!ReadScript(options, &script))
        return 2;

    Timeline timeline(stdout);
    timeline.Restart();
    ModuleApi api;
    std::string error;
    std::u16string modulePath = WideFromUtf8(options.module);
    if (!BindModule(AsWide(modulePath), &api, &error)) {
        std::fprintf(stderr, "cinevane-host: %s: %s\n", options.module.c_str(), error.c_str());
        return 1;
    }
    std::string media = options.media;
#ifndef _WIN32
    // The module reads its files through the stand-in, inside the sandbox: a file of this
    // machine given on the command line is copied in as C:\media\<name>.
    std::string bytes;
    if (!media.empty() && ReadHostFile(media, &bytes)) {
        const std::string name = media.substr(media.find_last_of('/') + 1);
        CreateDirectoryW(L"C:\\media", nullptr);
        media = "C:\\media\\" + name;
        std::u16string wide = WideFromUtf8(media);
        if (!WriteFileBytes(AsWide(wide), std::vector<BYTE>(bytes.begin(), bytes.end()))) {
            std::fprintf(stderr, "cinevane-host: cannot copy the file into the sandbox\n");
            return 1;
        }
        timeline.Print("copied", options.media + " to " + media);
    }
#endif
    if (media.empty())
        media = GenerateMedia(options, timeline);
    if (media.empty())
        return 1;
    const size_t logStart = EventLogSize();
    int status = 0;
    {
        HostSession session(api, &timeline);
        if (!session.Start(640, 480, &error)) {
            std::fprintf(stderr, "cinevane-host: %s\n", error.c_str());
            ReleaseModule(&api);
            return 1;
        }
        ObjectOptions object;
        object.file = media;
        object.flags = PlayAtStart | (options.log ? LogMode : 0);
        int number = session.CreateObject(object);
        if (session.CreateResult(number) != 0)
            status = 1;
        session.RunScript(script, media, static_cast<DWORD>(options.timeoutMs));
        if (options.cycles > 0)
            LongRun(session, media, options.cycles);
        session.Finish();
    }
    ReleaseModule(&api);
    if (options.log)
        PrintEventLog(logStart);
    return status;
}
