#pragma once

// A small house with what labels must cope with: nested boxes, an empty one, a box of 500
// objects, names in other scripts and names with line breaks and control bytes.
#include "model/CBrenvikaDoc.h"

#include <memory>
#include <string>

namespace ardenvo::test {

inline CHouseObject& addObject(CHouseObject* parent, CBlock& block, const std::string& name,
                               NestPosition position = NestPosition::Inside) {
    auto object = std::make_unique<CHouseObject>();
    object->name = name;
    return parent ? parent->addChild(position, std::move(object))
                  : block.addFloorObject(std::move(object));
}

inline const std::string kScripts = "Ελληνικά Кириллица 漢字 📦";
inline const std::string kControls = std::string("Line\nbreak\x1b[2J\t") + '\x01';

inline void fillLabelHouse(CBrenvikaDoc& doc, const std::string& path) {
    doc.clearSections();
    auto ground = std::make_unique<CSection>();
    ground->name = "Ground";
    CBlock& garage = *ground->blocks().front();
    garage.name = "Garage";
    CHouseObject& shelf = addObject(nullptr, garage, "Shelf");
    CHouseObject& box = addObject(&shelf, garage, "Box", NestPosition::OnTop);
    CHouseObject& tin = addObject(&box, garage, "Tin");
    addObject(&tin, garage, "Buttons");
    addObject(&box, garage, "Scarf");
    addObject(&shelf, garage, "Empty box", NestPosition::OnTop);
    CHouseObject& big = addObject(nullptr, garage, "Big box");
    for (int i = 1; i <= 500; ++i)
        addObject(&big, garage, "Item " + std::to_string(i));
    addObject(&addObject(nullptr, garage, kScripts), garage, "Ξ");
    addObject(&addObject(nullptr, garage, kControls), garage, "Inner");
    doc.appendSection(std::move(ground));
    auto attic = std::make_unique<CSection>();
    attic->name = "Attic";
    attic->blocks().front()->name = "Loft";
    doc.appendSection(std::move(attic));
    doc.setPathName(path);
}

} // namespace ardenvo::test
