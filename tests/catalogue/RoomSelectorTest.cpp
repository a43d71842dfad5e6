// "Change room" finds its section and block by the texts the lists show.
#include "catalogue/RoomSelector.h"

#include <gtest/gtest.h>

using namespace ardenvo;

TEST(RoomSelectorTest, TheChosenRoomIsFoundByTheNameTheListShows) {
    CBrenvikaDoc doc;
    doc.newHouse();
    CSection& ground = *doc.sections()[0];
    ground.name = "Ground";
    // Written on another system in Windows-1252: the list shows "Küche".
    ground.blocks()[0]->name = std::string("K") + '\xFC' + "che";
    RoomSelector rooms(doc, false);
    rooms.fill(QStringLiteral("K"));
    rooms.choose(QStringLiteral("Ground"), QString::fromUtf8("K\u00FCche"));
    ASSERT_EQ(rooms.roomText(), QString::fromUtf8("K\u00FCche"));
    RoomChoice choice = rooms.chosenRoom();
    EXPECT_EQ(choice.section, &ground);
    EXPECT_EQ(choice.block, ground.blocks()[0].get());

    // "All sections": the first section holding a room of that name.
    rooms.choose(QStringLiteral("All sections"), QString::fromUtf8("K\u00FCche"));
    choice = rooms.chosenRoom();
    EXPECT_EQ(choice.section, &ground);
    EXPECT_EQ(choice.block, ground.blocks()[0].get());
}
