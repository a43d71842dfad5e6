#pragma once

#include "model/CBrenvikaDoc.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace ardenvo::test {

// A fresh folder, removed with what is in it.
struct Scratch {
    Scratch() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ardenvo-history-XXXXXX").string();
        path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline CHouseObject& addObject(CBlock& block, const std::string& name) {
    auto object = std::make_unique<CHouseObject>();
    object->name = name;
    return block.addFloorObject(std::move(object));
}

inline CHouseObject& addChild(CHouseObject& parent, NestPosition pos, const std::string& name) {
    auto object = std::make_unique<CHouseObject>();
    object->name = name;
    return parent.addChild(pos, std::move(object));
}

} // namespace ardenvo::test
