#include "InventoryFixture.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <memory>

namespace ardenvo::testing {
namespace {

CHouseObject& addObject(CBlock& block, const std::string& name, const std::string& notes = {}) {
    auto object = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    object->name = name;
    object->notes = notes;
    return block.appendFloorObjectAsStored(std::move(object));
}

CHouseObject& addChild(CHouseObject& parent, NestPosition pos, const std::string& name) {
    auto child = std::make_unique<CHouseObject>(CHouseObject::Bare{});
    child->name = name;
    CHouseObject& ref = *child;
    parent.appendChildAsStored(pos, std::move(child));
    return ref;
}

void addValues(CHouseObject& object, const std::string& price, const std::string& insured) {
    auto value = std::make_unique<CFieldList>("Value");
    value->append("Price paid", price);
    value->append("Insurance value", insured);
    object.appendCategory(std::move(value));
}

void writeImage(const std::string& path, int width, int height, QColor colour, const char* format) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, Qt::darkBlue);
    painter.end();
    image.save(QString::fromStdString(path), format);
}

} // namespace

void buildInventoryHouse(CBrenvikaDoc& doc) {
    doc.clearSections();

    auto ground = std::make_unique<CSection>();
    ground->name = "Ground floor";
    CBlock& hall = *ground->blocks().front();
    hall.name = "Living room";
    hall.pictures.append("window", "window.png");
    hall.pictures.append("door", "door.jpg");
    CHouseObject& sofa = addObject(hall, "Sofa", "grey, three seats");
    addValues(sofa, "850.50", "900");
    sofa.pictures.append("front", "sofa.jpg");
    sofa.pictures.append("label", "label.png");
    sofa.pictures.append("receipt", "receipt.jpg"); // not in the folder
    auto guarantee = std::make_unique<CFieldList>("Guarantee");
    guarantee->append("Guarantee", "24 months");
    sofa.appendCategory(std::move(guarantee));
    auto reminder = std::make_unique<CReminder>(LocalDateTime{2027, 3, 5, 18, 30, 0});
    reminder->notes = "Clean the covers";
    sofa.addReminder(std::move(reminder));

    // Floor index decides the order, not the list: the shelf comes first.
    CHouseObject& tv = addObject(hall, "TV <4K> & \"smart\"", "<script>alert(1)</script>");
    addValues(tv, "about 400", "");
    tv.pictures.append("", "tv.bmp");
    CHouseObject& shelf = addObject(hall, "Shelf");
    shelf.floorIndex = -1;
    addValues(shelf, " 120abc", "1e999");
    shelf.pictures.append("", "broken.png"); // not a picture at all
    addChild(shelf, NestPosition::Under, "Box");
    CHouseObject& vase = addChild(shelf, NestPosition::OnTop, "Vase");
    addValues(vase, "30", "35.25");
    addChild(vase, NestPosition::Inside, "Flowers");
    doc.appendSection(std::move(ground));

    auto cellar = std::make_unique<CSection>();
    cellar->name = "Cellar";
    CBlock& store = *cellar->blocks().front();
    store.name = "Store";
    CHouseObject& freezer = addObject(store, "Freezer");
    addValues(freezer, "-", "n/a");
    freezer.pictures.append("", "freezer.png");
    doc.appendSection(std::move(cellar));

    doc.setCurrentSection(doc.sectionAt(0));
}

void writeInventoryPictures(const std::string& folder) {
    writeImage(folder + "/sofa.jpg", 1600, 1200, Qt::red, "JPEG");
    writeImage(folder + "/label.png", 300, 400, Qt::transparent, "PNG");
    writeImage(folder + "/tv.bmp", 160, 90, Qt::green, "BMP");
    writeImage(folder + "/window.png", 800, 600, Qt::cyan, "PNG");
    writeImage(folder + "/door.jpg", 300, 600, Qt::yellow, "JPEG");
    writeImage(folder + "/freezer.png", 2000, 200, Qt::white, "PNG");
    QFile broken(QString::fromStdString(folder + "/broken.png"));
    broken.open(QIODevice::WriteOnly);
    broken.write("\x89PNG\r\n\x1a\n but nothing after the signature");
}

} // namespace ardenvo::testing
