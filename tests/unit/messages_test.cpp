#include "app/messages.h"

#include <gtest/gtest.h>

namespace wavelith {

TEST(Messages, EveryMessageHasBothTexts) {
    for (int i = 0; i < static_cast<int>(AppMessage::Count); ++i) {
        auto id = static_cast<AppMessage>(i);
        EXPECT_FALSE(appMessage(id, false).empty()) << i;
        EXPECT_FALSE(appMessage(id, true).empty()) << i;
    }
}

TEST(Messages, QuotedTextsAreExact) {
    EXPECT_EQ(appMessage(AppMessage::DisplayName, false), u"Wavelith");
    EXPECT_EQ(appMessage(AppMessage::FindWindowFailedForPause, false), u"FindWindow was failed.");
    EXPECT_EQ(appMessage(AppMessage::FindWindowFailedForEnd, false), u"FindWindow() failed.");
    EXPECT_EQ(appMessage(AppMessage::CannotSaveIni, false), u"Cannot save settings - .\\.\\quellix.ini.");
    EXPECT_EQ(appMessage(AppMessage::RemoteSessionStopped, false), u"Stopped (Remote Session).");
    EXPECT_EQ(appMessage(AppMessage::CopyRegistryToIniFailed, false),
              u"Setting copying from the registry to the ini file - failed.");
}

}  // namespace wavelith
