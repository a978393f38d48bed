// Windows paths onto the sandbox folder: drive letters become folders under the root, names match
// without regard to ASCII case, and ".." never climbs above a drive's folder.
#include "standin/sandbox.h"

#include "kernel_internal.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace standin {
namespace {

std::string& RootSetting() {
    static std::string root;
    return root;
}

void RemoveTree(const std::string& path, bool removeSelf);
std::string privateRoot;

void RemovePrivateRoot() {
    if (!privateRoot.empty())
        RemoveTree(privateRoot, true);
}

void MakeFolders(const std::string& path) {
    std::string partial;
    std::stringstream parts(path);
    std::string part;
    if (!path.empty() && path[0] == '/')
        partial = "/";
    while (std::getline(parts, part, '/')) {
        if (part.empty())
            continue;
        partial += part;
        mkdir(partial.c_str(), 0777);
        partial += "/";
    }
}

bool Reject(DWORD* error, DWORD code) {
    *error = code;
    return false;
}

bool IsSeparator(WCHAR unit) {
    return unit == L'\\' || unit == L'/';
}

bool IsInvalidNameUnit(WCHAR unit) {
    return unit < 32 || unit == L'<' || unit == L'>' || unit == L':' || unit == L'"' ||
           unit == L'|' || unit == L'?' || unit == L'*';
}

bool IsDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` ignoring ASCII case, or "" when none does.
std::string MatchIgnoringCase(const std::string& folder, const std::string& name) {
    std::string found;
    DIR* listing = opendir(folder.c_str());
    if (!listing)
        return found;
    while (dirent* entry = readdir(listing)) {
        if (kernel::SameNameIgnoringCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(listing);
    return found;
}

} // namespace

void SetSandboxRoot(const std::string& root) {
    RootSetting() = root;
    MakeFolders(root);
}

std::string SandboxRoot() {
    std::string& root = RootSetting();
    if (root.empty()) {
        const char* fromEnvironment = std::getenv("CINEVANE_SANDBOX");
        if (fromEnvironment && *fromEnvironment) {
            root = fromEnvironment;
        } else {
            // A private folder per process (tests run in parallel), removed when it ends.
            const char* temporary = std::getenv("TMPDIR");
            std::string pattern = std::string(temporary && *temporary ? temporary : "/tmp") +
                                  "/cinevane-sandbox-XXXXXX";
            std::vector<char> name(pattern.begin(), pattern.end());
            name.push_back(0);
            if (mkdtemp(name.data())) {
                root = name.data();
                privateRoot = root;
                std::atexit(RemovePrivateRoot);
            } else {
                root = pattern.substr(0, pattern.size() - 7) + std::to_string(getpid());
            }
        }
        MakeFolders(root);
    }
    return root;
}

namespace kernel {

std::string ToUtf8(const WCHAR* text, size_t length) {
    std::string out;
    for (size_t i = 0; i < length; ++i) {
        unsigned code = static_cast<unsigned short>(text[i]);
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < length) {
            unsigned low = static_cast<unsigned short>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

std::u16string FromUtf8(const std::string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i++]);
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        unsigned code = extra ? (lead & (0x3F >> extra)) : lead;
        for (int k = 0; k < extra && i < text.size(); ++k, ++i)
            code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return out;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

bool ResolvePathUnits(const WCHAR* path, size_t length, ResolvedPath* resolved, DWORD* error) {
    *resolved = ResolvedPath();
    if (!path || length == 0)
        return Reject(error, ERROR_PATH_NOT_FOUND);
    if (length >= MAX_PATH)
        return Reject(error, ERROR_FILENAME_EXCED_RANGE);
    if (length >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return Reject(error, ERROR_BAD_PATHNAME); // UNC and device paths are not offered

    char drive = 'c';
    size_t start = 0;
    if (length >= 2 && path[1] == L':') {
        WCHAR letter = path[0];
        if (letter >= L'A' && letter <= L'Z')
            letter = static_cast<WCHAR>(letter + 32);
        if (letter < L'a' || letter > L'z')
            return Reject(error, ERROR_INVALID_NAME);
        drive = static_cast<char>(letter);
        start = 2;
    }

    std::vector<std::string> parts;
    size_t i = start;
    while (i < length) {
        while (i < length && IsSeparator(path[i]))
            ++i;
        size_t begin = i;
        while (i < length && !IsSeparator(path[i]))
            ++i;
        if (i == begin)
            break;
        for (size_t k = begin; k < i; ++k)
            if (IsInvalidNameUnit(path[k]))
                return Reject(error, ERROR_INVALID_NAME);
        std::string part = ToUtf8(path + begin, i - begin);
        if (part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    resolved->trailingSeparator = !parts.empty() && IsSeparator(path[length - 1]);
    resolved->driveRoot = parts.empty();

    std::string current = SandboxRoot() + "/" + drive;
    if (!IsDirectory(current))
        MakeFolders(current);
    bool foldersExist = true;
    for (size_t k = 0; k < parts.size(); ++k) {
        bool last = k + 1 == parts.size();
        if (last)
            resolved->parentExists = foldersExist;
        std::string candidate = current + "/" + parts[k];
        if (foldersExist && !Exists(candidate)) {
            std::string match = MatchIgnoringCase(current, parts[k]);
            if (!match.empty())
                candidate = current + "/" + match;
        }
        if (!last && !IsDirectory(candidate))
            foldersExist = false;
        current = candidate;
    }
    if (parts.empty())
        resolved->parentExists = true;
    resolved->linuxPath = current;
    return true;
}

bool ResolvePath(LPCWSTR path, ResolvedPath* resolved, DWORD* error) {
    size_t length = 0;
    if (path)
        while (length <= MAX_PATH && path[length])
            ++length;
    return ResolvePathUnits(path, length, resolved, error);
}

} // namespace kernel

bool SandboxPath(LPCWSTR windowsPath, std::string* linuxPath, DWORD* error) {
    kernel::ResolvedPath resolved;
    DWORD ignored = 0;
    if (!kernel::ResolvePath(windowsPath, &resolved, error ? error : &ignored))
        return false;
    *linuxPath = resolved.linuxPath;
    return true;
}

std::string SandboxPath(LPCWSTR windowsPath) {
    std::string path;
    return SandboxPath(windowsPath, &path) ? path : std::string();
}

bool WriteSandboxFile(LPCWSTR windowsPath, const std::string& bytes) {
    std::string path = SandboxPath(windowsPath);
    if (path.empty())
        return false;
    MakeFolders(path.substr(0, path.rfind('/')));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool ReadSandboxFile(LPCWSTR windowsPath, std::string* bytes) {
    std::string path = SandboxPath(windowsPath);
    if (path.empty() || IsDirectory(path))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream content;
    content << in.rdbuf();
    *bytes = content.str();
    return true;
}

bool SandboxFileExists(LPCWSTR windowsPath) {
    std::string path = SandboxPath(windowsPath);
    return !path.empty() && Exists(path) && !IsDirectory(path);
}

bool SandboxDirectoryExists(LPCWSTR windowsPath) {
    std::string path = SandboxPath(windowsPath);
    return !path.empty() && IsDirectory(path);
}

bool MakeSandboxLink(LPCWSTR linkPath, LPCWSTR targetPath) {
    std::string link = SandboxPath(linkPath);
    std::string target = SandboxPath(targetPath);
    if (link.empty() || target.empty())
        return false;
    MakeFolders(link.substr(0, link.rfind('/')));
    return symlink(target.c_str(), link.c_str()) == 0;
}

namespace {

void RemoveTree(const std::string& path, bool removeSelf) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0)
        return;
    if (S_ISDIR(info.st_mode)) {
        chmod(path.c_str(), 0777);
        if (DIR* listing = opendir(path.c_str())) {
            std::vector<std::string> names;
            while (dirent* entry = readdir(listing)) {
                std::string name = entry->d_name;
                if (name != "." && name != "..")
                    names.push_back(name);
            }
            closedir(listing);
            for (const std::string& name : names)
                RemoveTree(path + "/" + name, true);
        }
        if (removeSelf)
            rmdir(path.c_str());
    } else if (removeSelf) {
        unlink(path.c_str());
    }
}

} // namespace

void ClearSandbox() {
    std::string root = SandboxRoot();
    if (root.empty() || root == "/")
        return;
    RemoveTree(root, false);
}

} // namespace standin
