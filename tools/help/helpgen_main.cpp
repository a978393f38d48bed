// cinevane_helpgen <notes-folder> <pages-folder> <help-file>: writes the pages, contents, index
// and project of the module's help file. Names, menu places, display strings, parameters,
// property rows and the setup dialog come from the module's own answers (the linked module
// library, asked through its entry points as the host's editor asks); the explanations come
// from the notes folder. <help-file> is where the build puts the compiled file, relative to the
// build folder; it must be the path the module names to the host.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalogue_reader.h"
#include "help_site.h"
#include "host/lifecycle_exports.h"
#include "standin/kernel_control.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error(path.string() + ": cannot be written");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: cinevane_helpgen <notes-folder> <pages-folder> <help-file>\n");
        return 2;
    }
    const std::string notesFolder = argv[1];
    const std::filesystem::path pagesFolder = argv[2];
    const std::string helpFile = argv[3];
    try {
        HINSTANCE instance = standin::RegisterModule(L"Cinevane.dll");
        DllMain(instance, DLL_PROCESS_ATTACH, nullptr);
        const helpgen::Catalogue catalogue = helpgen::ReadCatalogue(instance);

        std::string named = catalogue.helpFile;
        for (char& c : named)
            if (c == '\\')
                c = '/';
        if (named != helpFile)
            throw std::runtime_error("the module names its help file \"" + catalogue.helpFile +
                                     "\"; the build makes " + helpFile);

        helpgen::HelpNotes notes;
        notes.conditions = helpgen::ReadNotesFile(notesFolder + "/conditions.txt");
        notes.actions = helpgen::ReadNotesFile(notesFolder + "/actions.txt");
        notes.expressions = helpgen::ReadNotesFile(notesFolder + "/expressions.txt");
        notes.properties = helpgen::ReadNotesFile(notesFolder + "/properties.txt");
        notes.topics = helpgen::ReadNotesFile(notesFolder + "/topics.txt");
        const std::string stylesheet = ReadFile(notesFolder + "/help.css");

        const std::string compiledName = named.substr(named.find_last_of('/') + 1);
        const std::vector<helpgen::SiteFile> files =
            helpgen::BuildSite(catalogue, notes, stylesheet, compiledName);
        std::filesystem::create_directories(pagesFolder);
        int pages = 0;
        for (const helpgen::SiteFile& file : files) {
            WriteFile(pagesFolder / file.name, file.content);
            if (file.name.size() > 4 && file.name.compare(file.name.size() - 4, 4, ".htm") == 0)
                ++pages;
        }
        std::printf("cinevane_helpgen: %d pages (%zu conditions, %zu actions, %zu expressions) "
                    "for %s in %s\n",
                    pages, catalogue.conditions.size(), catalogue.actions.size(),
                    catalogue.expressions.size(), compiledName.c_str(),
                    pagesFolder.string().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cinevane_helpgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
