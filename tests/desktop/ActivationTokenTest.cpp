// The activation token a second start leaves for the running copy, through the runtime folder.
#include "platform/RuntimeDirectory.h"
#include "platform/activation/WindowActivation.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace ardenvo;

namespace {

void plant(const std::string& name, const QByteArray& bytes) {
    QFile file(QString::fromStdString(*RuntimeDirectory::filePath(name + ".token")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

TEST(ActivationToken, IsTakenOnceAsLeftAndNothingElseIsTakenForOne) {
    const std::string name = "ActivationTokenTest";
    const std::string longToken(WindowActivation::kMaxTokenBytes + 100, 'x');
    struct Case {
        const char* what;
        std::string left;
        std::string taken;
    } cases[] = {
        {"a token", "gnome-shell/Ardenvo/1234-5-host_TIME42",
         "gnome-shell/Ardenvo/1234-5-host_TIME42"},
        {"an overlong one, cut", longToken, longToken.substr(0, WindowActivation::kMaxTokenBytes)},
        {"none: any left before goes", "", ""},
    };
    for (const Case& c : cases) {
        plant(name, "stale");
        ASSERT_TRUE(WindowActivation::handOver(name, c.left)) << c.what;
        EXPECT_EQ(WindowActivation::takeHandedOver(name), c.taken) << c.what;
        EXPECT_EQ(WindowActivation::takeHandedOver(name), "") << c.what << ", taken twice";
    }
    // What a start of ours never leaves: blanks, control bytes, nothing printable.
    for (const QByteArray& planted : {QByteArray("two words"), QByteArray("tok\nen"),
                                      QByteArray("\x01\x02", 2), QByteArray("t\xc3\xa9")}) {
        plant(name, planted);
        EXPECT_EQ(WindowActivation::takeHandedOver(name), "") << planted.toStdString();
        EXPECT_FALSE(
            QFile::exists(QString::fromStdString(*RuntimeDirectory::filePath(name + ".token"))));
    }
}

TEST(ActivationToken, OffscreenHasNoCompositorToAsk) {
    EXPECT_FALSE(WindowActivation::compositorOffersActivation());
}
