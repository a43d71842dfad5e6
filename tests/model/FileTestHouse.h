#pragma once

#include "model/CBrenvikaDoc.h"

#include <memory>
#include <string>
#include <vector>

namespace ardenvo::test {

// A small house that uses every record of the project file: three sections (the third current),
// halls and rooms with pictures and links, objects nested under, inside and on top of each other,
// two objects of the same name as stored, categories written without values, reminders of both
// kinds, texts of every prefix width, and unit 3.
inline std::unique_ptr<CBrenvikaDoc> makeFileTestHouse() {
    auto doc = std::make_unique<CBrenvikaDoc>();
    CSection& house = *doc->currentSection();
    house.zoom = 0.375;
    house.offsetX = -12;
    house.offsetY = 40;
    CBlock* room = house.addBlock(1, East, BlockKind::Room);
    room->setRect({250, 100, 650, 500});
    room->alignments[North] = {0, -7};
    room->pictures.append("Window", "window.jpg");
    room->changed = 0;

    auto sofa = std::make_unique<CHouseObject>();
    sofa->name = "Sofa";
    sofa->notes = std::string(300, 'n'); // a 16-bit length prefix
    sofa->color = 0x123456;
    sofa->location.rect = {5, 6, 120, 80};
    sofa->categories()[1]->entryAt(0).value = "1299.00";
    sofa->categories()[2]->saveValues = 0; // still written with values into the project
    sofa->pictures.append("Front", "sofa-front.png");
    auto cushion = std::make_unique<CHouseObject>();
    cushion->name = "Cushion";
    auto coin = std::make_unique<CHouseObject>();
    coin->name = "Coin";
    auto cat = std::make_unique<CHouseObject>();
    cat->name = "Cat";
    cat->clearCategories();
    cat->addCategory().append("Fur", "grey", "Category: Category");

    CReminder single(LocalDateTime{2031, 3, 14, 9, 30, 0});
    auto periodic = std::make_unique<CReminder>(LocalDateTime{2044, 11, 2, 18, 5, 7});
    periodic->type = 1;
    periodic->periodicMode = 1;
    periodic->repeatEachCount = 3;
    periodic->repeatEachUnit = 1;
    periodic->repeatOnNumber = 5;
    periodic->repeatOnAnchor = 1;
    periodic->repeatOnUnit = 3;
    periodic->notes = "Clean the sofa";
    periodic->objectName = "Sofa";
    sofa->addReminder(std::make_unique<CReminder>(single));
    sofa->addReminder(std::move(periodic));
    cushion->appendChildAsStored(NestPosition::Under, std::move(coin));
    sofa->addChild(NestPosition::OnTop, std::move(cushion));
    sofa->addChild(NestPosition::Inside, std::move(cat));
    room->addFloorObject(std::move(sofa));
    for (int i = 0; i < 2; ++i) { // equal names as a file may hold them
        auto chair = std::make_unique<CHouseObject>(CHouseObject::Bare{});
        chair->name = "Chair";
        chair->color = 0xABCDEF;
        room->appendFloorObjectAsStored(std::move(chair));
    }

    auto upstairs = std::make_unique<CSection>();
    upstairs->name = "Upstairs";
    upstairs->background = 0x00FF00;
    upstairs->addBlock(1, South, BlockKind::Hall);
    doc->appendSection(std::move(upstairs));

    auto attic = std::make_unique<CSection>();
    attic->name = std::string(70000, 'a'); // a 32-bit length prefix
    attic->nextBlockId = 9;
    CSection& atticRef = doc->appendSection(std::move(attic));
    atticRef.blocks().front()->name = "Loft";
    doc->setCurrentSection(&atticRef);
    doc->setUnitIndex(3);
    return doc;
}

} // namespace ardenvo::test
