// The named constants scripts read as plain names. ORDER: strictly ascending unsigned byte order
// of the names (bisection depends on it; a unit test checks it). Key codes and metric indices
// are the values Windows gives the same names.
#include "script/builtins/table.h"


namespace wavelith::script {

namespace {
const ConstantEntry constants[] = {
    {"CC_ALPHA_FL_HF", 0x100}, {"CC_ALPHA_HF_FL", 0x200}, {"CC_CARET_CTRL", 0x200000},
    {"CC_CTRL_CARET", 0x100000}, {"CC_CTRL_ESC", 0x40000}, {"CC_ESC_CTRL", 0x80000},
    {"CC_FALPHA_LO_UP", 0x8000}, {"CC_FALPHA_UP_LO", 0x4000}, {"CC_HALPHA_LO_UP", 0x20000},
    {"CC_HALPHA_UP_LO", 0x10000}, {"CC_HIRA_KATA", 0x10}, {"CC_KATA_FL_HF", 0x40}, {"CC_KATA_HF_FL", 0x80},
    {"CC_KATA_HIRA", 0x20}, {"CC_NUM_FL_HF", 0x400}, {"CC_NUM_HF_FL", 0x800}, {"CC_SYM_FL_HF", 0x1000},
    {"CC_SYM_HF_FL", 0x2000}, {"CC_TAB_4SP", 0x400000}, {"CC_TAB_8SP", 0x800000}, {"DUMMY", 0}, {"FALSE", 0},
    {"ISNT", 1}, {"MAXINTEGER", 2147483647}, {"MININTEGER", INT32_MIN}, {"NIL", 0}, {"NO", 0}, {"NOTHING", 0},
    {"NULL", 0}, {"SM_ARRANGE", 56}, {"SM_CARETBLINKINGENABLED", 0x2002}, {"SM_CLEANBOOT", 67},
    {"SM_CMETRICS", 97}, {"SM_CMONITORS", 80}, {"SM_CMOUSEBUTTONS", 43}, {"SM_CXBORDER", 5},
    {"SM_CXCURSOR", 13}, {"SM_CXDLGFRAME", 7}, {"SM_CXDOUBLECLK", 36}, {"SM_CXDRAG", 68}, {"SM_CXEDGE", 45},
    {"SM_CXFIXEDFRAME", 7}, {"SM_CXFOCUSBORDER", 83}, {"SM_CXFRAME", 32}, {"SM_CXFULLSCREEN", 16},
    {"SM_CXHSCROLL", 21}, {"SM_CXHTHUMB", 10}, {"SM_CXICON", 11}, {"SM_CXICONSPACING", 38},
    {"SM_CXMAXIMIZED", 61}, {"SM_CXMAXTRACK", 59}, {"SM_CXMENUCHECK", 71}, {"SM_CXMENUSIZE", 54},
    {"SM_CXMIN", 28}, {"SM_CXMINIMIZED", 57}, {"SM_CXMINSPACING", 47}, {"SM_CXMINTRACK", 34},
    {"SM_CXPADDEDBORDER", 92}, {"SM_CXSCREEN", 0}, {"SM_CXSIZE", 30}, {"SM_CXSIZEFRAME", 32},
    {"SM_CXSMICON", 49}, {"SM_CXSMSIZE", 52}, {"SM_CXVIRTUALSCREEN", 78}, {"SM_CXVSCROLL", 2},
    {"SM_CYBORDER", 6}, {"SM_CYCAPTION", 4}, {"SM_CYCURSOR", 14}, {"SM_CYDLGFRAME", 8},
    {"SM_CYDOUBLECLK", 37}, {"SM_CYDRAG", 69}, {"SM_CYEDGE", 46}, {"SM_CYFIXEDFRAME", 8},
    {"SM_CYFOCUSBORDER", 84}, {"SM_CYFRAME", 33}, {"SM_CYFULLSCREEN", 17}, {"SM_CYHSCROLL", 3},
    {"SM_CYICON", 12}, {"SM_CYICONSPACING", 39}, {"SM_CYKANJIWINDOW", 18}, {"SM_CYMAXIMIZED", 62},
    {"SM_CYMAXTRACK", 60}, {"SM_CYMENU", 15}, {"SM_CYMENUCHECK", 72}, {"SM_CYMENUSIZE", 55}, {"SM_CYMIN", 29},
    {"SM_CYMINIMIZED", 58}, {"SM_CYMINSPACING", 48}, {"SM_CYMINTRACK", 35}, {"SM_CYSCREEN", 1},
    {"SM_CYSIZE", 31}, {"SM_CYSIZEFRAME", 33}, {"SM_CYSMCAPTION", 51}, {"SM_CYSMICON", 50},
    {"SM_CYSMSIZE", 53}, {"SM_CYVIRTUALSCREEN", 79}, {"SM_CYVSCROLL", 20}, {"SM_CYVTHUMB", 9},
    {"SM_DBCSENABLED", 42}, {"SM_DEBUG", 22}, {"SM_DIGITIZER", 94}, {"SM_IMMENABLED", 82},
    {"SM_MAXIMUMTOUCHES", 95}, {"SM_MEDIACENTER", 87}, {"SM_MENUDROPALIGNMENT", 40},
    {"SM_MIDEASTENABLED", 74}, {"SM_MOUSEHORIZONTALWHEELPRESENT", 91}, {"SM_MOUSEPRESENT", 19},
    {"SM_MOUSEWHEELPRESENT", 75}, {"SM_NETWORK", 63}, {"SM_PENWINDOWS", 41}, {"SM_REMOTECONTROL", 0x2001},
    {"SM_REMOTESESSION", 0x1000}, {"SM_RESERVED1", 24}, {"SM_RESERVED2", 25}, {"SM_RESERVED3", 26},
    {"SM_RESERVED4", 27}, {"SM_SAMEDISPLAYFORMAT", 81}, {"SM_SECURE", 44}, {"SM_SERVERR2", 89},
    {"SM_SHOWSOUNDS", 70}, {"SM_SHUTTINGDOWN", 0x2000}, {"SM_SLOWMACHINE", 73}, {"SM_STARTER", 88},
    {"SM_SWAPBUTTON", 23}, {"SM_TABLETPC", 86}, {"SM_XVIRTUALSCREEN", 76}, {"SM_YVIRTUALSCREEN", 77},
    {"TRUE", 1}, {"VK_0", 0x30}, {"VK_1", 0x31}, {"VK_2", 0x32}, {"VK_3", 0x33}, {"VK_4", 0x34},
    {"VK_5", 0x35}, {"VK_6", 0x36}, {"VK_7", 0x37}, {"VK_8", 0x38}, {"VK_9", 0x39}, {"VK_A", 0x41},
    {"VK_ACCEPT", 0x1E}, {"VK_ADD", 0x6B}, {"VK_APPS", 0x5D}, {"VK_ATTN", 0xF6}, {"VK_B", 0x42},
    {"VK_BACK", 0x08}, {"VK_BROWSER_BACK", 0xA6}, {"VK_BROWSER_FAVORITES", 0xAB},
    {"VK_BROWSER_FORWARD", 0xA7}, {"VK_BROWSER_HOME", 0xAC}, {"VK_BROWSER_REFRESH", 0xA8},
    {"VK_BROWSER_SEARCH", 0xAA}, {"VK_BROWSER_STOP", 0xA9}, {"VK_C", 0x43}, {"VK_CANCEL", 0x03},
    {"VK_CAPITAL", 0x14}, {"VK_CLEAR", 0x0C}, {"VK_CONTROL", 0x11}, {"VK_CONVERT", 0x1C}, {"VK_CRSEL", 0xF7},
    {"VK_D", 0x44}, {"VK_DECIMAL", 0x6E}, {"VK_DELETE", 0x2E}, {"VK_DIVIDE", 0x6F}, {"VK_DOWN", 0x28},
    {"VK_E", 0x45}, {"VK_END", 0x23}, {"VK_EREOF", 0xF9}, {"VK_ESCAPE", 0x1B}, {"VK_EXECUTE", 0x2B},
    {"VK_EXSEL", 0xF8}, {"VK_F", 0x46}, {"VK_F1", 0x70}, {"VK_F10", 0x79}, {"VK_F11", 0x7A}, {"VK_F12", 0x7B},
    {"VK_F13", 0x7C}, {"VK_F14", 0x7D}, {"VK_F15", 0x7E}, {"VK_F16", 0x7F}, {"VK_F17", 0x80},
    {"VK_F18", 0x81}, {"VK_F19", 0x82}, {"VK_F2", 0x71}, {"VK_F20", 0x83}, {"VK_F21", 0x84}, {"VK_F22", 0x85},
    {"VK_F23", 0x86}, {"VK_F24", 0x87}, {"VK_F3", 0x72}, {"VK_F4", 0x73}, {"VK_F5", 0x74}, {"VK_F6", 0x75},
    {"VK_F7", 0x76}, {"VK_F8", 0x77}, {"VK_F9", 0x78}, {"VK_FINAL", 0x18}, {"VK_G", 0x47}, {"VK_H", 0x48},
    {"VK_HANGEUL", 0x15}, {"VK_HANGUL", 0x15}, {"VK_HANJA", 0x19}, {"VK_HELP", 0x2F}, {"VK_HOME", 0x24},
    {"VK_I", 0x49}, {"VK_ICO_00", 0xE4}, {"VK_ICO_CLEAR", 0xE6}, {"VK_ICO_HELP", 0xE3}, {"VK_INSERT", 0x2D},
    {"VK_J", 0x4A}, {"VK_JUNJA", 0x17}, {"VK_K", 0x4B}, {"VK_KANA", 0x15}, {"VK_KANJI", 0x19}, {"VK_L", 0x4C},
    {"VK_LAUNCH_APP1", 0xB6}, {"VK_LAUNCH_APP2", 0xB7}, {"VK_LAUNCH_MAIL", 0xB4},
    {"VK_LAUNCH_MEDIA_SELECT", 0xB5}, {"VK_LBUTTON", 0x01}, {"VK_LCONTROL", 0xA2}, {"VK_LEFT", 0x25},
    {"VK_LMENU", 0xA4}, {"VK_LSHIFT", 0xA0}, {"VK_LWIN", 0x5B}, {"VK_M", 0x4D}, {"VK_MBUTTON", 0x04},
    {"VK_MEDIA_NEXT_TRACK", 0xB0}, {"VK_MEDIA_PLAY_PAUSE", 0xB3}, {"VK_MEDIA_PREV_TRACK", 0xB1},
    {"VK_MEDIA_STOP", 0xB2}, {"VK_MENU", 0x12}, {"VK_MODECHANGE", 0x1F}, {"VK_MULTIPLY", 0x6A},
    {"VK_N", 0x4E}, {"VK_NEXT", 0x22}, {"VK_NONAME", 0xFC}, {"VK_NONCONVERT", 0x1D}, {"VK_NUMLOCK", 0x90},
    {"VK_NUMPAD0", 0x60}, {"VK_NUMPAD1", 0x61}, {"VK_NUMPAD2", 0x62}, {"VK_NUMPAD3", 0x63},
    {"VK_NUMPAD4", 0x64}, {"VK_NUMPAD5", 0x65}, {"VK_NUMPAD6", 0x66}, {"VK_NUMPAD7", 0x67},
    {"VK_NUMPAD8", 0x68}, {"VK_NUMPAD9", 0x69}, {"VK_O", 0x4F}, {"VK_OEM_1", 0xBA}, {"VK_OEM_102", 0xE2},
    {"VK_OEM_2", 0xBF}, {"VK_OEM_3", 0xC0}, {"VK_OEM_4", 0xDB}, {"VK_OEM_5", 0xDC}, {"VK_OEM_6", 0xDD},
    {"VK_OEM_7", 0xDE}, {"VK_OEM_8", 0xDF}, {"VK_OEM_ATTN", 0xF0}, {"VK_OEM_AUTO", 0xF3}, {"VK_OEM_AX", 0xE1},
    {"VK_OEM_BACKTAB", 0xF5}, {"VK_OEM_CLEAR", 0xFE}, {"VK_OEM_COMMA", 0xBC}, {"VK_OEM_COPY", 0xF2},
    {"VK_OEM_CUSEL", 0xEF}, {"VK_OEM_ENLW", 0xF4}, {"VK_OEM_FINISH", 0xF1}, {"VK_OEM_FJ_JISHO", 0x92},
    {"VK_OEM_FJ_LOYA", 0x95}, {"VK_OEM_FJ_MASSHOU", 0x93}, {"VK_OEM_FJ_ROYA", 0x96},
    {"VK_OEM_FJ_TOUROKU", 0x94}, {"VK_OEM_JUMP", 0xEA}, {"VK_OEM_MINUS", 0xBD}, {"VK_OEM_NEC_EQUAL", 0x92},
    {"VK_OEM_PA1", 0xEB}, {"VK_OEM_PA2", 0xEC}, {"VK_OEM_PA3", 0xED}, {"VK_OEM_PERIOD", 0xBE},
    {"VK_OEM_PLUS", 0xBB}, {"VK_OEM_RESET", 0xE9}, {"VK_OEM_WSCTRL", 0xEE}, {"VK_P", 0x50}, {"VK_PA1", 0xFD},
    {"VK_PACKET", 0xE7}, {"VK_PAUSE", 0x13}, {"VK_PLAY", 0xFA}, {"VK_PRINT", 0x2A}, {"VK_PRIOR", 0x21},
    {"VK_PROCESSKEY", 0xE5}, {"VK_Q", 0x51}, {"VK_R", 0x52}, {"VK_RBUTTON", 0x02}, {"VK_RCONTROL", 0xA3},
    {"VK_RETURN", 0x0D}, {"VK_RIGHT", 0x27}, {"VK_RMENU", 0xA5}, {"VK_RSHIFT", 0xA1}, {"VK_RWIN", 0x5C},
    {"VK_S", 0x53}, {"VK_SCROLL", 0x91}, {"VK_SELECT", 0x29}, {"VK_SEPARATOR", 0x6C}, {"VK_SHIFT", 0x10},
    {"VK_SLEEP", 0x5F}, {"VK_SNAPSHOT", 0x2C}, {"VK_SPACE", 0x20}, {"VK_SUBTRACT", 0x6D}, {"VK_T", 0x54},
    {"VK_TAB", 0x09}, {"VK_U", 0x55}, {"VK_UP", 0x26}, {"VK_V", 0x56}, {"VK_VOLUME_DOWN", 0xAE},
    {"VK_VOLUME_MUTE", 0xAD}, {"VK_VOLUME_UP", 0xAF}, {"VK_W", 0x57}, {"VK_X", 0x58}, {"VK_XBUTTON1", 0x05},
    {"VK_XBUTTON2", 0x06}, {"VK_Y", 0x59}, {"VK_Z", 0x5A}, {"VK_ZOOM", 0xFB}, {"YES", 1}, {"ZERO", 0},
};
}  // namespace

ConstantTable constantTable() { return {constants, sizeof constants / sizeof constants[0]}; }

const ConstantEntry* findConstant(std::string_view name) {
    return findByName(constants, sizeof constants / sizeof constants[0], name);
}

}  // namespace wavelith::script
