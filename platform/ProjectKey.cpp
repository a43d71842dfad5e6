#include "platform/ProjectKey.h"

#include "platform/TextCodec.h"

#include <QString>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <vector>

namespace ardenvo {

namespace {

std::string absoluteClean(const std::string& path) {
    std::string full = path;
    if (full.empty() || full.front() != '/') {
        std::error_code ec;
        const std::string cwd = std::filesystem::current_path(ec).string();
        full = cwd + "/" + full;
    }
    std::vector<std::string> parts;
    std::string part;
    auto take = [&] {
        if (part.empty() || part == ".") {
        } else if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else {
            parts.push_back(part);
        }
        part.clear();
    };
    for (char c : full) {
        if (c == '/')
            take();
        else
            part += c;
    }
    take();
    std::string out;
    for (const auto& p : parts)
        out += "/" + p;
    return out.empty() ? "/" : out;
}

std::string foldCase(const std::string& s, bool upper) {
    if (isValidUtf8(s)) {
        const QString q = QString::fromStdString(s);
        return (upper ? q.toUpper() : q.toLower()).toStdString();
    }
    std::string out = s;
    for (char& c : out) {
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (!upper && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

} // namespace

bool isCaseInsensitivePath(const std::string& path) {
    // Probe with the nearest existing name that has letters: on a file system that ignores case,
    // the same name in other case is the same file.
    std::string candidate = absoluteClean(path);
    while (candidate != "/") {
        const auto slash = candidate.rfind('/');
        const std::string parent = slash == 0 ? "/" : candidate.substr(0, slash);
        const std::string name = candidate.substr(slash + 1);
        struct stat st {};
        if (::lstat(candidate.c_str(), &st) == 0) {
            std::string other = foldCase(name, true);
            if (other == name)
                other = foldCase(name, false);
            if (other != name) {
                const std::string otherPath = (parent == "/" ? "" : parent) + "/" + other;
                struct stat ot {};
                return ::lstat(otherPath.c_str(), &ot) == 0 && ot.st_dev == st.st_dev &&
                       ot.st_ino == st.st_ino;
            }
        }
        candidate = parent;
    }
    return false;
}

std::string projectKey(const std::string& path) {
    if (path.empty())
        return {};
    std::string key = absoluteClean(path);
    if (char* resolved = ::realpath(key.c_str(), nullptr)) {
        key = resolved;
        std::free(resolved);
    }
    return isCaseInsensitivePath(key) ? foldCase(key, false) : key;
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty())
        return a == b;
    return projectKey(a) == projectKey(b);
}

} // namespace ardenvo
