#include "tools/samples/SampleBuilder.h"
#include "tools/samples/SampleHouses.h"

#include <memory>

namespace ardenvo::samples {

namespace {

void furnishGroundFloor(CBrenvikaDoc& doc) {
    CBlock& entrance = firstHall(doc, "Entrance hall", 200, 300);
    CBlock& living = attach(doc, entrance, East, BlockKind::Room, "Living room", 500, 450);
    CBlock& kitchen = attach(doc, entrance, West, BlockKind::Room, "Kitchen", 350, 300);
    CBlock& corridor = attach(doc, entrance, South, BlockKind::Hall, "Corridor", 200, 150);
    CBlock& study = attach(doc, corridor, South, BlockKind::Room, "Study", 300, 300);
    CBlock& utility = attach(doc, corridor, West, BlockKind::Room, "Utility room", 250, 200);

    CHouseObject& shoes = floorObject(entrance, "Shoe cabinet", {20, 200, 140, 250});
    recordPurchase(shoes,
                   {"Furniture store, High Street", "119.00", "", "20190405", "24 months", ""});
    nested(shoes, NestPosition::Inside, "Winter boots", {30, 210, 70, 240});
    nested(shoes, NestPosition::OnTop, "Key bowl", {100, 210, 130, 240},
           "Spare keys for the shed.");
    CHouseObject& coats = floorObject(entrance, "Coat stand", {140, 20, 180, 60});
    nested(coats, NestPosition::Under, "Umbrella", {145, 25, 175, 55});

    CHouseObject& sofa = floorObject(living, "Sofa", {40, 40, 260, 130},
                                     "Three-seater, grey fabric, washable covers.");
    recordPurchase(
        sofa, {"Furniture store, High Street", "1249.00", "1300.00", "20210918", "60 months", ""});
    nested(sofa, NestPosition::OnTop, "Cushion", {50, 50, 90, 90});
    nested(sofa, NestPosition::OnTop, "Cushion", {210, 50, 250, 90});
    nested(sofa, NestPosition::Under, "Board games", {100, 60, 200, 110});
    CHouseObject& table = floorObject(living, "Coffee table", {100, 170, 220, 240});
    recordPurchase(table, {"Antiques market", "180.00", "250.00", "20180602", "none", ""});
    nested(table, NestPosition::OnTop, "Vase", {150, 190, 170, 210}, "Gift from grandmother.");
    nested(table, NestPosition::Under, "Magazines", {110, 180, 160, 230});
    CHouseObject& cabinet = floorObject(living, "TV cabinet", {300, 380, 480, 430});
    recordPurchase(
        cabinet, {"Furniture store, High Street", "329.00", "350.00", "20210918", "24 months", ""});
    CHouseObject& tv = nested(cabinet, NestPosition::OnTop, "Television", {310, 385, 470, 425},
                              "55 inch, wall mount in the garage.");
    recordPurchase(tv, {"Electronics megastore", "899.00", "950.00", "20250305", "24 months", ""});
    addCategory(tv, "Documents",
                {{"Serial number", "55UQ-7000-3321"}, {"Receipt", "Folder A, page 12"}});
    singleReminder(tv, {2027, 3, 5, 12, 0, 0}, "Guarantee of the television ends.");
    nested(cabinet, NestPosition::Inside, "Blu-ray player", {310, 390, 380, 420});
    CHouseObject& console =
        nested(cabinet, NestPosition::Inside, "Game console", {390, 390, 470, 420});
    recordPurchase(console, {"Online shop", "499.99", "500.00", "20231124", "24 months",
                             "20250210 fan replaced"});
    CHouseObject& shelf = floorObject(living, "Bookshelf", {420, 40, 480, 250});
    recordPurchase(shelf,
                   {"Furniture store, High Street", "149.00", "", "20190405", "24 months", ""});
    nested(shelf, NestPosition::Inside, "Photo albums", {425, 50, 475, 90});
    nested(shelf, NestPosition::Inside, "Encyclopedia", {425, 100, 475, 140});
    CHouseObject& armchair = floorObject(living, "Armchair", {300, 60, 380, 140});
    recordPurchase(armchair, {"Furniture store, High Street", "399.00", "400.00", "20210918",
                              "60 months", ""});

    CHouseObject& fridge = floorObject(kitchen, "Refrigerator", {20, 20, 100, 90});
    recordPurchase(fridge, {"Electronics megastore", "749.00", "800.00", "20200715", "24 months",
                            "20230302 thermostat replaced"});
    addCategory(fridge, "Energy", {{"Energy class", "B"}, {"Consumption", "168 kWh a year"}});
    CHouseObject& dishwasher = floorObject(kitchen, "Dishwasher", {120, 20, 180, 80});
    recordPurchase(dishwasher,
                   {"Electronics megastore", "549.00", "600.00", "20220110", "24 months", ""});
    repeatEach(dishwasher, {2027, 1, 15, 12, 0, 0}, 1, PeriodUnit::Month,
               "Clean the dishwasher filter.");
    CHouseObject& cupboard = floorObject(kitchen, "Cupboard", {200, 20, 330, 80});
    nested(cupboard, NestPosition::Inside, "Dinner service", {210, 30, 260, 70},
           "Twelve place settings, porcelain.");
    nested(cupboard, NestPosition::Inside, "Wine glasses", {270, 30, 320, 70});
    CHouseObject& microwave =
        nested(cupboard, NestPosition::OnTop, "Microwave oven", {220, 25, 290, 75});
    recordPurchase(microwave, {"Supermarket", "89.99", "", "20240823", "24 months", ""});
    CHouseObject& kitchenTable = floorObject(kitchen, "Kitchen table", {100, 150, 250, 250});
    recordPurchase(kitchenTable, {"Carpenter Miller", "640.00", "700.00", "20150320", "none", ""});
    nested(kitchenTable, NestPosition::OnTop, "Fruit bowl", {160, 185, 190, 215});

    CHouseObject& smoke =
        floorObject(corridor, "Smoke detector", {80, 60, 110, 90}, "On the ceiling.");
    recordPurchase(smoke, {"DIY store", "24.90", "", "20230114", "120 months", ""});
    repeatOn(smoke, {2027, 1, 1, 12, 0, 0}, 1, RepeatOnAnchor::BeginningOf, PeriodUnit::Month,
             "Press the test button of the smoke detector.");

    CHouseObject& desk = floorObject(study, "Desk", {20, 20, 180, 100});
    recordPurchase(desk, {"Office supplies", "289.00", "300.00", "20200401", "24 months", ""});
    CHouseObject& laptop = nested(desk, NestPosition::OnTop, "Laptop", {40, 30, 100, 70});
    recordPurchase(laptop, {"Online shop", "1099.00", "1100.00", "20240902", "24 months", ""});
    addCategory(laptop, "Documents",
                {{"Serial number", "LT-5CD2301XYZ"}, {"Receipt", "Folder B, page 3"}});
    CHouseObject& drawers = nested(desk, NestPosition::Under, "Drawer unit", {130, 40, 175, 95});
    nested(drawers, NestPosition::Inside, "Passports", {135, 45, 170, 60},
           "Renew the children's passports in time for the summer.");
    nested(drawers, NestPosition::Inside, "Insurance papers", {135, 65, 170, 90});
    nested(desk, NestPosition::Under, "Printer", {30, 40, 110, 95});
    CHouseObject& chair = floorObject(study, "Office chair", {80, 110, 130, 160});
    recordPurchase(chair, {"Office supplies", "179.00", "", "20200401", "24 months", ""});
    CHouseObject& safe = floorObject(study, "Safe", {220, 220, 280, 280});
    recordPurchase(safe, {"DIY store", "219.00", "250.00", "20200415", "24 months", ""});
    nested(safe, NestPosition::Inside, "Gold coins", {230, 230, 250, 250});

    CHouseObject& washer = floorObject(utility, "Washing machine", {20, 20, 90, 90});
    recordPurchase(washer, {"Electronics megastore", "649.00", "700.00", "20210301", "24 months",
                            "20220816 pump replaced"});
    repeatEach(washer, {2027, 2, 1, 12, 0, 0}, 3, PeriodUnit::Month,
               "Descale the washing machine and clean its filter.");
    CHouseObject& dryer = nested(washer, NestPosition::OnTop, "Tumble dryer", {20, 20, 90, 90});
    recordPurchase(dryer,
                   {"Electronics megastore", "579.00", "600.00", "20210301", "24 months", ""});
    CHouseObject& boiler = floorObject(utility, "Gas boiler", {150, 20, 230, 80});
    recordPurchase(boiler, {"Heating engineer Smith", "3450.00", "3500.00", "20170925", "60 months",
                            "20210112 ignition repaired"});
    repeatEach(boiler, {2027, 9, 15, 12, 0, 0}, 1, PeriodUnit::Year,
               "Book the yearly boiler service.");
}

void furnishUpperFloor(CBrenvikaDoc& doc) {
    CBlock& landing = firstHall(doc, "Landing", 200, 300);
    CBlock& master = attach(doc, landing, East, BlockKind::Room, "Master bedroom", 450, 400);
    CBlock& children = attach(doc, landing, West, BlockKind::Room, "Children's room", 350, 350);
    CBlock& bathroom = attach(doc, landing, South, BlockKind::Room, "Bathroom", 200, 250);

    nested(floorObject(landing, "Linen cupboard", {120, 40, 180, 200}), NestPosition::Inside,
           "Bed linen", {125, 50, 175, 90});

    CHouseObject& wardrobe = floorObject(master, "Wardrobe", {20, 20, 380, 80});
    recordPurchase(wardrobe, {"Furniture store, High Street", "899.00", "900.00", "20190405",
                              "24 months", ""});
    nested(wardrobe, NestPosition::Inside, "Winter coats", {30, 30, 150, 70});
    nested(wardrobe, NestPosition::OnTop, "Travel bag", {200, 25, 280, 75});
    CHouseObject& bed = floorObject(master, "Double bed", {100, 120, 300, 340});
    recordPurchase(bed, {"Bed centre", "1190.00", "1200.00", "20190405", "24 months", ""});
    repeatOn(bed, {2027, 3, 1, 12, 0, 0}, 1, RepeatOnAnchor::BeginningOf, PeriodUnit::Month,
             "Turn the mattress.");
    nested(bed, NestPosition::Under, "Suitcase", {120, 200, 280, 260});
    CHouseObject& dresser = floorObject(master, "Dresser", {330, 200, 430, 260});
    recordPurchase(dresser, {"Antiques market", "260.00", "400.00", "20160709", "none", ""});
    CHouseObject& jewellery =
        nested(dresser, NestPosition::OnTop, "Jewellery box", {340, 210, 380, 240});
    CHouseObject& watch = nested(jewellery, NestPosition::Inside, "Wristwatch",
                                 {345, 215, 365, 235}, "Wedding present.");
    recordPurchase(watch, {"Jeweller Brown", "1450.00", "1800.00", "20120616", "24 months",
                           "20200302 battery changed"});
    addCategory(watch, "Documents", {{"Certificate", "Safe in the study"}});

    CHouseObject& bunk = floorObject(children, "Bunk bed", {20, 20, 120, 220});
    recordPurchase(bunk,
                   {"Furniture store, High Street", "459.00", "", "20220820", "24 months", ""});
    CHouseObject& toys = floorObject(children, "Toy chest", {200, 250, 320, 320});
    nested(toys, NestPosition::Inside, "Building bricks", {210, 260, 260, 310});
    CHouseObject& railway =
        nested(toys, NestPosition::Inside, "Model railway", {265, 260, 315, 310});
    recordPurchase(railway, {"Toy shop", "199.00", "", "20241220", "24 months", ""});
    CHouseObject& kidsDesk = floorObject(children, "Desk", {200, 20, 330, 90});
    nested(kidsDesk, NestPosition::OnTop, "Desk lamp", {300, 25, 325, 50});

    CHouseObject& cabinet = floorObject(bathroom, "Bathroom cabinet", {20, 20, 120, 60});
    CHouseObject& firstAid =
        nested(cabinet, NestPosition::Inside, "First aid kit", {30, 25, 70, 55});
    singleReminder(firstAid, {2027, 6, 30, 12, 0, 0},
                   "Check the expiry dates in the first aid kit.");
    CHouseObject& dryer = floorObject(bathroom, "Hair dryer", {140, 20, 170, 50});
    recordPurchase(dryer, {"Supermarket", "34.99", "", "20250501", "24 months", ""});
}

} // namespace

void buildFamilyHouse(CBrenvikaDoc& doc) {
    doc.newHouse();
    doc.currentSection()->name = "Ground floor";
    furnishGroundFloor(doc);

    CSection& upper = doc.appendSection(std::make_unique<CSection>());
    upper.name = "Upper floor";
    doc.setCurrentSection(&upper);
    furnishUpperFloor(doc);

    // The house opens on the ground floor.
    doc.setCurrentSection(doc.sectionAt(0));
    doc.setModified(false);
}

} // namespace ardenvo::samples
