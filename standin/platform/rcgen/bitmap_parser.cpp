// BITMAP [options] "file.bmp": the file is read next to the .rc and stored without its 14-byte
// file header, as a packed DIB, the form Windows keeps bitmap resources in.
#include "rc_parser.h"

#include <fstream>
#include <iterator>

namespace rcgen {

void ParseBitmap(TokenCursor& cursor, uint16_t id, ResourceFile& file) {
    cursor.SkipMemoryOptions();
    const Token& at = cursor.Peek();
    std::u16string name = cursor.ExpectString();
    std::string path;
    for (char16_t unit : name) {
        if (unit > 0x7F)
            throw RcError(at, "bitmap file names are ASCII");
        path += static_cast<char>(unit == '\\' ? '/' : unit);
    }
    if (path.empty() || path[0] != '/')
        path = cursor.RcDirectory() + "/" + path;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RcError(at, "cannot open bitmap " + path);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    const size_t fileHeader = 14, infoHeader = 40;
    if (bytes.size() < fileHeader + infoHeader || bytes[0] != 'B' || bytes[1] != 'M')
        throw RcError(at, path + " is not a .bmp file");
    uint32_t declared =
        bytes[2] | bytes[3] << 8 | bytes[4] << 16 | static_cast<uint32_t>(bytes[5]) << 24;
    if (declared != bytes.size())
        throw RcError(at, path + ": file size does not match its header");
    for (const Bitmap& existing : file.bitmaps)
        if (existing.id == id)
            throw RcError(at, "bitmap " + std::to_string(id) + " defined twice");
    file.bitmaps.push_back(
        Bitmap{id, std::vector<uint8_t>(bytes.begin() + fileHeader, bytes.end())});
}

} // namespace rcgen
