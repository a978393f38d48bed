// cinevane_rcgen <file.rc> <out.cpp>: compiles the module's .rc into the C++ tables the platform
// stand-in serves (strings, menus, dialogs, bitmaps). Errors name the file and line.
#include "rc_parser.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cinevane_rcgen <file.rc> <out.cpp>\n");
        return 2;
    }
    try {
        std::string source = argv[1];
        rcgen::ResourceFile file = rcgen::ParseResourceFile(source);
        size_t slash = source.find_last_of('/');
        std::string output =
            rcgen::EmitTables(file, slash == std::string::npos ? source : source.substr(slash + 1));
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out << output;
        if (!out) {
            std::fprintf(stderr, "cinevane_rcgen: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
