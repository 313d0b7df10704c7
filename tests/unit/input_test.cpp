#include "script_runner.h"

#include <gtest/gtest.h>

using namespace wavelith;
using wavelith::script::testing::ScriptRunner;

namespace {

template <typename Record>
std::vector<Record> recorded(const SimulatedDesktop& desktop) {
    std::vector<Record> found;
    for (const DesktopEvent& event : desktop.events())
        if (auto* record = std::get_if<Record>(&event)) found.push_back(*record);
    return found;
}

TEST(InputBuiltins, PointerWheelAndButtons) {
    ScriptRunner runner;
    runner.run("MOVEMOUSE(5, \"-3\")\nMOUSEWHEEL(-120)\nMOUSEBUTTONLEFT(\"1\")\nMOUSEBUTTONLEFT(\"abc\")\n"
               "MOUSEBUTTONRIGHT(2)\nMOUSEBUTTONRIGHT(0)\nMOUSEBUTTONMIDDLE(1)\nMOUSEBUTTONMIDDLE(0)\n"
               "MOUSEBUTTONX1(1)\nMOUSEBUTTONX1(0)\nMOUSEBUTTONX2(1)\nMOUSEBUTTONX2(0)\n");
    EXPECT_EQ(recorded<MouseEventRecord>(runner.desktop),
              (std::vector<MouseEventRecord>{{0x1, 5, -3, 0},
                                             {0x800, 0, 0, -120},
                                             {0x2, 0, 0, 0},
                                             {0x4, 0, 0, 0},
                                             {0x8, 0, 0, 0},
                                             {0x10, 0, 0, 0},
                                             {0x20, 0, 0, 0},
                                             {0x40, 0, 0, 0},
                                             {0x80, 0, 0, 1},
                                             {0x100, 0, 0, 1},
                                             {0x80, 0, 0, 2},
                                             {0x100, 0, 0, 2}}));
    EXPECT_TRUE(runner.messages.empty());
    EXPECT_EQ(runner.show("\"\" + MOVEMOUSE(1, 1) + MOUSEWHEEL(1) + MOUSEBUTTONX2(1)"), "111");
    // The cursor: SETCURSORPOS answers 1 and the position reads back, kept on the monitor.
    EXPECT_EQ(runner.show("\"\" + SETCURSORPOS(300, 200) + \" \" + GETCURSORPOSX() + \",\" + GETCURSORPOSY() + "
                          "\" \" + SETCURSORPOS(-5, 99999) + \" \" + GETCURSORPOSX() + \",\" + GETCURSORPOSY()"),
              "1 300,200 1 0,1079");
}

TEST(InputBuiltins, KeysAndTheExtendedKeyTest) {
    ScriptRunner runner;
    runner.run("KEYBDEVENT(0x1A5, 1)\nKEYBDEVENT(VK_DELETE, 1)\nKEYBDEVENT(VK_RSHIFT, 0)\nKEYBDEVENT(VK_NUMLOCK, 1)\n"
               "KEYBDEVENT(VK_DIVIDE, \"0\")\nKEYBDEVENT(VK_PRIOR, 1)\nKEYBDEVENT(VK_DOWN, 1)\nKEYBDEVENT(VK_SPACE, 1)\n"
               "KEYBDEVENT(VK_LWIN, 1)\nKEYBDEVENT(VK_APPS, 1)\nKEYBDEVENT(VK_RCONTROL, 1)\nKEYBDEVENT(VK_LCONTROL, 1)\n"
               "KEYBDEVENT(VK_LAUNCH_APP2, 1)\nKEYBDEVENT(0xB8, 1)\nKEYBDEVENT(VK_SNAPSHOT, 0)\nKEYBDEVENT(VK_HELP, 1)\n");
    EXPECT_EQ(recorded<KeyEventRecord>(runner.desktop),
              (std::vector<KeyEventRecord>{{0xA5, 1},
                                           {0x2E, 1},
                                           {0xA1, 2},
                                           {0x90, 0},
                                           {0x6F, 2},
                                           {0x21, 1},
                                           {0x28, 1},
                                           {0x20, 0},
                                           {0x5B, 1},
                                           {0x5D, 1},
                                           {0xA3, 1},
                                           {0xA2, 0},
                                           {0xB7, 1},
                                           {0xB8, 0},
                                           {0x2C, 3},
                                           {0x2F, 0}}));
    // GETKEYSTATE: high bit while held, low bit while a toggle key is on.
    EXPECT_EQ(runner.show("\"\" + GETKEYSTATE(VK_SCROLL) + \" \" + KEYBDEVENT(VK_SCROLL, 1) + \" \" + "
                          "GETKEYSTATE(VK_SCROLL) + \" \" + KEYBDEVENT(VK_SCROLL, 0) + \" \" + GETKEYSTATE(\"145\") + "
                          "\" \" + KEYBDEVENT(VK_A, 1) + \" \" + GETKEYSTATE(VK_A)"),
              "0 1 -127 1 1 1 -128");
}

TEST(InputBuiltins, SendInputUnicodeTypesUnits) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("SENDINPUTUNICODE(\"a\xE6\x97\xA5!\")"), "6");
    EXPECT_EQ(recorded<SendInputRecord>(runner.desktop),
              (std::vector<SendInputRecord>{{{{u'a', 4}, {u'a', 6}, {0x65E5, 4}, {0x65E5, 6}, {u'!', 5}, {u'!', 7}}}}));
    // A character beyond the BMP goes as its two surrogate units.
    EXPECT_EQ(runner.show("SENDINPUTUNICODE(\"\xF0\x9F\x98\x80\")"), "4");
    EXPECT_EQ(recorded<SendInputRecord>(runner.desktop)[0].events,
              (std::vector<KeyboardInput>{{0xD83D, 4}, {0xD83D, 6}, {0xDE00, 4}, {0xDE00, 6}}));
    // The two-argument form: one press or release of the first unit, 0 for an empty text.
    runner.run("SENDINPUTUNICODE(\"xy\", 1)\nSENDINPUTUNICODE(\"xy\", 0)\nSENDINPUTUNICODE(\"\", \"1\")\n"
               "SENDINPUTUNICODE(\"\")\n");
    EXPECT_EQ(recorded<SendInputRecord>(runner.desktop),
              (std::vector<SendInputRecord>{{{{u'x', 4}}}, {{{u'x', 6}}}, {{{0, 4}}}, {{}}}));
}

TEST(InputBuiltins, WindowImeMetricsAndClipboard) {
    ScriptRunner runner;
    // No foreground window on the simulated desktop.
    EXPECT_EQ(runner.show("\"\" + GETIMESTATE() + \" \" + SETIMESTATE(1) + \" [\" + GETACTIVEWINDOWTITLE() + \"]\""),
              "-1 0 []");
    EXPECT_EQ(recorded<ImeRecord>(runner.desktop), (std::vector<ImeRecord>{{true}}));
    EXPECT_EQ(runner.show("\"\" + GETSYSTEMMETRICS(SM_CXSCREEN) + \" \" + GETSYSTEMMETRICS(SM_CYVIRTUALSCREEN) + \" \" + "
                          "GETSYSTEMMETRICS(SM_CMOUSEBUTTONS) + \" \" + GETSYSTEMMETRICS(SM_CXICON)"),
              "1920 1080 3 0");
    EXPECT_EQ(runner.show("\"[\" + GETCLIPBOARDTEXT() + \"]\" + SETCLIPBOARDTEXT(\"\xE6\x97\xA5 1\\r\\n\") + "
                          "GETCLIPBOARDTEXT()"),
              "[]1\xE6\x97\xA5 1\r\n");
    EXPECT_EQ(recorded<ClipboardRecord>(runner.desktop), (std::vector<ClipboardRecord>{{u"\u65E5 1\r\n"}}));
}

TEST(InputBuiltins, KeyboardDeviceNames) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + GETKEYINPUTDEVICELIST(\"k\") + \" \" + k[0] + \" \" + TYPEOF(\"k\") + k"),
              "1 \\\\?\\ACPI#PNP0303 arrayK");
    // Only keyboards with a readable name; cut before the second '#', whole with fewer than two.
    runner.desktop.inputDevices = std::vector<RawInputDevice>{
        {0, u"\\\\?\\HID#mouse#1#2"}, {1, u"A#B#C#D"}, {1, std::nullopt}, {2, u"X#Y#Z"}, {1, u"one#only"}, {1, u"none"}};
    EXPECT_EQ(runner.show("\"\" + GETKEYINPUTDEVICELIST(k) + \" \" + JOIN(\"k\", \"|\")", "ARRAYINIT(\"k\", 1, 2, 3, 4)\n"),
              "3 A#B|one#only|none");
    // The variable is reset first: with no keyboard (or no list) it is a plain integer again.
    runner.desktop.inputDevices = std::vector<RawInputDevice>{{0, u"m"}};
    EXPECT_EQ(runner.show("\"\" + GETKEYINPUTDEVICELIST(\"k\") + TYPEOF(\"k\") + \"[\" + k + \"]\"", "k = \"text\"\n"),
              "0int[0]");
    runner.desktop.inputDevices = std::nullopt;
    EXPECT_EQ(runner.show("\"\" + GETKEYINPUTDEVICELIST(\"k\") + TYPEOF(\"k\") + ARRAYSIZE(\"k\")",
                          "ARRAYINIT(\"k\", 1)\n"),
              "0int0");
    runner.run("GETKEYINPUTDEVICELIST(\"k$\")\n");
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].code, 115u);
    EXPECT_EQ(runner.messages[0].text, "The array variable name is invalid in function GetKeyInputDeviceList().");
}

TEST(InputBuiltins, MonitorRectangles) {
    ScriptRunner runner;
    const std::string show = "\"\" + n + \":\" + JOIN(\"l\", \",\") + \"/\" + JOIN(\"t\", \",\") + \"/\" + JOIN(\"r\", \",\") + "
                             "\"/\" + JOIN(\"b\", \",\") + \"/\" + JOIN(\"w\", \",\") + \"/\" + JOIN(\"h\", \",\")";
    EXPECT_EQ(runner.show(show, "n = GETMONITORSRECT(\"l\", \"t\", \"r\", \"b\", \"w\", \"h\")\n"),
              "1:0/0/1920/1080/1920/1080");
    runner.desktop.monitors = std::vector<Rect>{{0, 0, 1920, 1080}, {-1280, 100, 0, 1124}};
    // Width and height only when named; every array starts empty.
    EXPECT_EQ(runner.show(show, "w = 9\nARRAYINIT(\"l\", 7, 7, 7)\nn = GETMONITORSRECT(\"l\", \"t\", \"r\", \"b\")\n"),
              "2:0,-1280/0,100/1920,0/1080,1124//");
    EXPECT_EQ(runner.show(show, "n = GETMONITORSRECT(\"l\", \"t\", \"r\", \"b\", \"w\")\n"),
              "2:0,-1280/0,100/1920,0/1080,1124/1920,1280/");
    // A failed enumeration touches nothing.
    runner.desktop.monitors = std::nullopt;
    EXPECT_EQ(runner.show("\"\" + GETMONITORSRECT(\"l\", \"t\", \"r\", \"b\") + TYPEOF(\"l\") + TYPEOF(\"t\")", "l = 4\n"),
              "0intundefined");
    runner.run("l = 4\nx = GETMONITORSRECT(\"l\", \"t\", \"r\", \"b$\")\nMESSAGE(TYPEOF(\"l\"))\n");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{115});
    EXPECT_EQ(runner.messages[0].text, "The array variable name is invalid in function GetMonitorsRect().");
    EXPECT_TRUE(runner.boxes().empty());
}

}  // namespace
