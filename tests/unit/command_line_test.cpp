#include "app/command_line.h"

#include <gtest/gtest.h>

namespace wavelith {

TEST(CommandLine, TailsAreClassifiedWholeAndWithoutRegardToCase) {
    EXPECT_EQ(classifyTail(u"/?"), TailSwitch::Help);
    EXPECT_EQ(classifyTail(u"/p"), TailSwitch::Pause);
    EXPECT_EQ(classifyTail(u"/p:off"), TailSwitch::PauseOff);
    EXPECT_EQ(classifyTail(u"/p:on"), TailSwitch::PauseOn);
    EXPECT_EQ(classifyTail(u"/P2"), TailSwitch::OtherPause);
    EXPECT_EQ(classifyTail(u"/P:ONX"), TailSwitch::OtherPause);
    EXPECT_EQ(classifyTail(u"/P "), TailSwitch::OtherPause);
    EXPECT_EQ(classifyTail(u"/x"), TailSwitch::Exit);
    EXPECT_EQ(classifyTail(u"/o"), TailSwitch::IniMode);
    EXPECT_EQ(classifyTail(u"/Or"), TailSwitch::CopyIniToRegistry);
    EXPECT_EQ(classifyTail(u"/rO"), TailSwitch::CopyRegistryToIni);
    EXPECT_EQ(classifyTail(u"/n"), TailSwitch::NoSave);
    EXPECT_EQ(classifyTail(u""), TailSwitch::Other);
    EXPECT_EQ(classifyTail(u"/X "), TailSwitch::Other);
    EXPECT_EQ(classifyTail(u"5000 0"), TailSwitch::Other);
    EXPECT_EQ(classifyTail(u"/"), TailSwitch::Other);
    EXPECT_EQ(classifyTail(std::u16string(100000, u'/')), TailSwitch::Other);
}

TEST(CommandLine, SecondInstanceForwardsPauseCommandsAndEndRequests) {
    EXPECT_EQ(secondInstanceAction(u"/P"), SecondInstanceAction::SendPauseCommand);
    EXPECT_EQ(pauseModeForSecondInstance(u"/P"), PauseMode::Toggle);
    EXPECT_EQ(pauseModeForSecondInstance(u"/p:on"), PauseMode::TurnOn);
    EXPECT_EQ(pauseModeForSecondInstance(u"/P:OFF"), PauseMode::TurnOff);
    EXPECT_EQ(secondInstanceAction(u"/P2"), SecondInstanceAction::SendPauseCommand);
    EXPECT_EQ(pauseModeForSecondInstance(u"/P2"), PauseMode::Toggle);
    EXPECT_EQ(pauseModeForSecondInstance(u"/P:OF"), PauseMode::Toggle);

    EXPECT_EQ(secondInstanceAction(u"/x"), SecondInstanceAction::EndRunning);
    for (const char16_t* tail : {u"", u"/O", u"/OR", u"/RO", u"/N", u"300 5", u"garbage"})
        EXPECT_EQ(secondInstanceAction(tail), SecondInstanceAction::AskAlreadyRunning) << std::u16string(tail).size();
}

TEST(CommandLine, NumbersAreReadLikeWcstol) {
    EXPECT_EQ(parseDecimalArgument(u"5000"), 5000);
    EXPECT_EQ(parseDecimalArgument(u"  -42abc"), -42);
    EXPECT_EQ(parseDecimalArgument(u"+7"), 7);
    EXPECT_EQ(parseDecimalArgument(u"/O"), 0);
    EXPECT_EQ(parseDecimalArgument(u""), 0);
    EXPECT_EQ(parseDecimalArgument(u"-"), 0);
    EXPECT_EQ(parseDecimalArgument(u"0x10"), 0);
    EXPECT_EQ(parseDecimalArgument(u"2147483647"), 2147483647);
    EXPECT_EQ(parseDecimalArgument(u"2147483648"), 2147483647);
    EXPECT_EQ(parseDecimalArgument(u"-2147483648"), INT32_MIN);
    EXPECT_EQ(parseDecimalArgument(u"-99999999999999999999999999"), INT32_MIN);
    EXPECT_EQ(parseDecimalArgument(std::u16string(100000, u'9')), 2147483647);
}

TEST(CommandLine, ArgumentModeNeedsANonZeroFirstNumber) {
    NumericArguments none = readNumericArguments({u"Wavelith.exe"});
    EXPECT_FALSE(none.interval);
    EXPECT_FALSE(none.argumentMode);

    NumericArguments keyboard = readNumericArguments({u"Wavelith.exe", u"5000", u"0"});
    EXPECT_EQ(keyboard.interval, 5000);
    EXPECT_EQ(keyboard.pixels, 0);
    EXPECT_TRUE(keyboard.argumentMode);

    NumericArguments onlyInterval = readNumericArguments({u"Wavelith.exe", u"300"});
    EXPECT_TRUE(onlyInterval.argumentMode);
    EXPECT_FALSE(onlyInterval.pixels);

    // A switch reads as 0: the interval is set to 0, argument mode stays off, pixels are ignored.
    NumericArguments iniSwitch = readNumericArguments({u"Wavelith.exe", u"/O", u"9"});
    EXPECT_EQ(iniSwitch.interval, 0);
    EXPECT_FALSE(iniSwitch.argumentMode);
    EXPECT_FALSE(iniSwitch.pixels);
}

TEST(CommandLine, ProgramFileNameSelectsStorageMode) {
    EXPECT_EQ(programNameMode(u"C:\\Tools\\Wavelith_O.EXE"), ProgramNameMode::IniMode);
    EXPECT_EQ(programNameMode(u"C:\\Tools\\wavelith_o.exe"), ProgramNameMode::IniMode);
    EXPECT_EQ(programNameMode(u"C:\\Tools\\Wavelith_n.exe"), ProgramNameMode::NoSave);
    EXPECT_EQ(programNameMode(u"C:\\Tools\\Wavelith.exe"), ProgramNameMode::Normal);
    EXPECT_EQ(programNameMode(u"C:\\Tools\\Wavelith_X.exe"), ProgramNameMode::Normal);
    EXPECT_EQ(programNameMode(u"C:\\_O.exe"), ProgramNameMode::IniMode);   // 9 characters
    EXPECT_EQ(programNameMode(u"a_O.exe"), ProgramNameMode::Normal);       // 7: too short
    EXPECT_EQ(programNameMode(u"ab_N.exe"), ProgramNameMode::NoSave);      // 8
    EXPECT_EQ(programNameMode(u""), ProgramNameMode::Normal);
}

TEST(CommandLine, WorkingFolderIsTheProgramsFolder) {
    EXPECT_EQ(programFolder(u"C:\\Tools\\Wavelith.exe"), u"C:\\Tools");
    EXPECT_EQ(programFolder(u"C:\\Wavelith.exe"), u"C:\\") << "a drive root keeps its backslash";
    EXPECT_EQ(programFolder(u"\\\\server\\share\\Wavelith.exe"), u"\\\\server\\share");
    // The root rule goes by position alone, so a short folder keeps its backslash too.
    EXPECT_EQ(programFolder(u"C:\\a\\W.exe"), u"C:\\a\\");
    EXPECT_EQ(programFolder(u"C:\\ab\\W.exe"), u"C:\\ab");
    EXPECT_EQ(programFolder(u"ab\\W.exe"), u"ab\\");  // index 2: kept as a root
    EXPECT_EQ(programFolder(u"\\Wavelith.exe"), std::nullopt);
    EXPECT_EQ(programFolder(u"Wavelith.exe"), std::nullopt);
    EXPECT_EQ(programFolder(u""), std::nullopt);
}

}  // namespace wavelith
