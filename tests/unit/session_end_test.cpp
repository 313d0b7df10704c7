#include "app/session_end_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wavelith {

namespace {

class RecordedActions : public SessionEndActions {
public:
    bool confirmBlocking() override {
        log.push_back("confirm");
        return answerYes;
    }
    void setBlockReason() override { log.push_back("set reason"); }
    void removeBlockReason() override { log.push_back("remove reason"); }
    void requestScriptStop() override { log.push_back("stop script"); }
    void endProgram() override { log.push_back("end program"); }
    void reportStopped(bool confirmedByUser) override {
        log.push_back(confirmedByUser ? "report short" : "report long");
    }
    bool answerYes = true;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

}  // namespace

TEST(SessionEnd, BlockingOffLetsTheSessionEndAndStopsARunningScript) {
    Settings settings;
    RecordedActions actions;
    EXPECT_TRUE(allowEndOfSession(settings, true, actions));
    EXPECT_EQ(actions.log, (Log{"stop script", "remove reason"}));
    actions.log.clear();
    EXPECT_TRUE(allowEndOfSession(settings, false, actions));
    EXPECT_EQ(actions.log, (Log{"remove reason"}));
}

TEST(SessionEnd, BlockingOnRefusesWithTheReason) {
    Settings settings;
    settings.DisableShutdown = true;
    RecordedActions actions;
    EXPECT_FALSE(allowEndOfSession(settings, true, actions));
    EXPECT_EQ(actions.log, (Log{"set reason"})) << "a refused ending leaves the script running";
}

TEST(SessionEnd, ConfirmationDecides) {
    Settings settings;
    settings.DisableShutdown = true;
    settings.DisableShutdown_Check = true;
    RecordedActions yes;
    EXPECT_FALSE(allowEndOfSession(settings, false, yes));
    EXPECT_EQ(yes.log, (Log{"confirm", "set reason"}));
    RecordedActions no;
    no.answerYes = false;
    EXPECT_TRUE(allowEndOfSession(settings, false, no));
    EXPECT_EQ(no.log, (Log{"confirm", "remove reason"}));
}

TEST(SessionEnd, EndingEndsTheProgramAndACancellationIsReportedWhenWanted) {
    Settings settings;
    RecordedActions actions;
    onSessionEnd(settings, true, actions);
    EXPECT_EQ(actions.log, (Log{"end program"}));

    actions.log.clear();
    onSessionEnd(settings, false, actions);
    EXPECT_TRUE(actions.log.empty());

    settings.DisableShutdown = true;
    settings.DisableShutdown_Info = true;
    onSessionEnd(settings, false, actions);
    settings.DisableShutdown_Check = true;
    onSessionEnd(settings, false, actions);
    EXPECT_EQ(actions.log, (Log{"report long", "report short"}));

    settings.DisableShutdown = false;
    actions.log.clear();
    onSessionEnd(settings, false, actions);
    EXPECT_TRUE(actions.log.empty()) << "no report without blocking";
}

TEST(SessionEnd, PolicyAgainstBlockingActsAsBlockingOff) {
    Settings settings;
    settings.DisableShutdown = settings.DisableShutdown_Check = settings.DisableShutdown_Info = true;
    Policy policy;
    policy.DisableShutdownBlock = true;
    RecordedActions actions;
    EXPECT_TRUE(allowEndOfSession(settings, true, actions, policy));
    onSessionEnd(settings, false, actions, policy);
    EXPECT_EQ(actions.log, (Log{"stop script", "remove reason"})) << "no question, no reason, no report";
}

}  // namespace wavelith
