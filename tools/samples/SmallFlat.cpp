#include "tools/samples/SampleBuilder.h"
#include "tools/samples/SampleHouses.h"

namespace ardenvo::samples {

void buildSmallFlat(CBrenvikaDoc& doc) {
    doc.newHouse();
    doc.currentSection()->name = "Flat";

    CBlock& hallway = firstHall(doc, "Hallway", 150, 200);
    CBlock& living = attach(doc, hallway, East, BlockKind::Room, "Living room", 400, 350);
    CBlock& kitchen = attach(doc, hallway, North, BlockKind::Room, "Kitchen", 250, 200);
    CBlock& bathroom = attach(doc, hallway, South, BlockKind::Room, "Bathroom", 150, 150);

    CHouseObject& coatRack = floorObject(hallway, "Coat rack", {20, 20, 60, 60});
    recordPurchase(coatRack, {"Second-hand shop", "25.00", "", "20220305", "none", ""});

    CHouseObject& sofa =
        floorObject(living, "Sofa bed", {30, 30, 230, 120}, "Pulls out to a double bed.");
    recordPurchase(
        sofa, {"Furniture store, High Street", "549.00", "600.00", "20230812", "24 months", ""});
    nested(sofa, NestPosition::OnTop, "Wool blanket", {40, 40, 100, 80});
    CHouseObject& tv = floorObject(living, "Television", {150, 280, 290, 320}, "43 inch");
    recordPurchase(tv, {"Electronics megastore", "379.99", "400.00", "20250119", "24 months", ""});
    addCategory(tv, "Documents", {{"Serial number", "TV43-8812-0457"}, {"Receipt", "Folder A"}});
    singleReminder(tv, {2027, 1, 19, 12, 0, 0}, "Guarantee of the television ends.");
    CHouseObject& bookcase = floorObject(living, "Bookcase", {320, 30, 380, 230});
    recordPurchase(bookcase,
                   {"Furniture store, High Street", "89.00", "", "20230812", "24 months", ""});
    nested(bookcase, NestPosition::Inside, "Cookery books", {325, 40, 375, 80});

    CHouseObject& fridge = floorObject(kitchen, "Refrigerator", {20, 20, 90, 90});
    recordPurchase(fridge,
                   {"Electronics megastore", "429.00", "450.00", "20220301", "24 months", ""});
    CHouseObject& worktop = floorObject(kitchen, "Worktop", {110, 20, 230, 80});
    CHouseObject& kettle = nested(worktop, NestPosition::OnTop, "Kettle", {120, 30, 150, 60});
    recordPurchase(kettle, {"Supermarket", "29.95", "", "20250110", "12 months", ""});
    repeatEach(kettle, {2027, 2, 1, 12, 0, 0}, 2, PeriodUnit::Month, "Descale the kettle.");

    CHouseObject& washer = floorObject(bathroom, "Washing machine", {20, 20, 90, 90});
    recordPurchase(washer, {"Electronics megastore", "499.00", "550.00", "20220301", "36 months",
                            "20240614 door seal replaced"});
}

} // namespace ardenvo::samples
