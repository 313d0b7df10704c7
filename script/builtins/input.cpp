// The input-device built-ins: pointer, wheel, buttons, keys, typed text, the input method, the
// foreground window's title, system metrics, the clipboard, keyboards and monitors. Each is a
// thin layer over one Desktop call.
#include "platform/desktop.h"
#include "platform/text.h"
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"

namespace wavelith::script {

namespace {
// The keys whose events carry KEYEVENTF_EXTENDEDKEY: navigation, Print Screen, Insert, Delete,
// the Windows and application keys, right Control and right Alt up to the launch keys.
bool isExtendedKey(uint32_t code) {
    return (code >= 0x21 && code <= 0x28) || (code >= 0x2C && code <= 0x2E) || (code >= 0x5B && code <= 0x5D) ||
           code == 0xA3 || (code >= 0xA5 && code <= 0xB7);
}

void mouseButton(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments, uint32_t press,
                 uint32_t release, int32_t data) {
    uint32_t flags = arguments[0].toInt() != 0 ? press : release;
    interpreter.desktop().mouseEvent(flags, 0, 0, data);
    result = ScriptValue::integer(1);
}

KeyboardInput unicodeEvent(char16_t unit, bool down) {
    uint32_t flags = key_flags::Unicode | (down ? 0 : key_flags::KeyUp) | (isExtendedKey(unit) ? key_flags::ExtendedKey : 0);
    return {unit, flags};
}

int32_t coordinate(const std::optional<Point>& position, int32_t Point::*axis) {
    return position ? (*position).*axis : -1;
}
}  // namespace

// MOVEMOUSE(dx, dy): relative, so the system's pointer speed and acceleration apply.
void builtinMoveMouse(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    interpreter.desktop().mouseEvent(mouse_flags::Move, arguments[0].toInt(), arguments[1].toInt(), 0);
    result = ScriptValue::integer(1);
}

void builtinSetCursorPos(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    bool moved = interpreter.desktop().trySetCursorPos({arguments[0].toInt(), arguments[1].toInt()});
    result = ScriptValue::integer(moved ? 1 : 0);
}

void builtinGetCursorPosX(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(coordinate(interpreter.desktop().tryGetCursorPos(), &Point::x));
}

void builtinGetCursorPosY(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(coordinate(interpreter.desktop().tryGetCursorPos(), &Point::y));
}

// MOUSEWHEEL(amount): 120 is one notch; positive turns away from the user.
void builtinMouseWheel(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    interpreter.desktop().mouseEvent(mouse_flags::Wheel, 0, 0, arguments[0].toInt());
    result = ScriptValue::integer(1);
}

// MOUSEBUTTON...(down): non-zero presses, 0 releases.
void builtinMouseButtonLeft(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    mouseButton(interpreter, result, arguments, mouse_flags::LeftDown, mouse_flags::LeftUp, 0);
}

void builtinMouseButtonRight(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    mouseButton(interpreter, result, arguments, mouse_flags::RightDown, mouse_flags::RightUp, 0);
}

void builtinMouseButtonMiddle(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    mouseButton(interpreter, result, arguments, mouse_flags::MiddleDown, mouse_flags::MiddleUp, 0);
}

void builtinMouseButtonX1(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    mouseButton(interpreter, result, arguments, mouse_flags::XDown, mouse_flags::XUp, 1 /* XBUTTON1 */);
}

void builtinMouseButtonX2(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    mouseButton(interpreter, result, arguments, mouse_flags::XDown, mouse_flags::XUp, 2 /* XBUTTON2 */);
}

// KEYBDEVENT(vk, down): only the low byte of vk is a key code.
void builtinKeybdEvent(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    auto key = static_cast<uint8_t>(arguments[0].toInt() & 0xFF);
    uint32_t flags = (isExtendedKey(key) ? key_flags::ExtendedKey : 0) | (arguments[1].toInt() == 0 ? key_flags::KeyUp : 0);
    interpreter.desktop().keybdEvent(key, flags);
    result = ScriptValue::integer(1);
}

// SENDINPUTUNICODE(text): a press and a release per UTF-16 unit, all in one SendInput.
// SENDINPUTUNICODE(text, down): one press or release of the first unit (0 for an empty text).
// The extended-key test is applied to each unit as if it were a key code.
void builtinSendInputUnicode(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::u16string text = utf8ToUtf16(arguments[0].toString());
    std::vector<KeyboardInput> events;
    if (arguments.size() == 1) {
        events.reserve(text.size() * 2);
        for (char16_t unit : text) {
            events.push_back(unicodeEvent(unit, true));
            events.push_back(unicodeEvent(unit, false));
        }
    } else {
        events.push_back(unicodeEvent(text.empty() ? u'\0' : text[0], arguments[1].toInt() != 0));
    }
    result = ScriptValue::integer(static_cast<int32_t>(interpreter.desktop().sendInput(events)));
}

// GETKEYSTATE(vk): negative while down, low bit set while a toggle key is on.
void builtinGetKeyState(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::integer(interpreter.desktop().getKeyState(arguments[0].toInt()));
}

// GETIMESTATE(): non-zero while the foreground window's input method is open; -1 without one.
void builtinGetImeState(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    auto open = interpreter.desktop().getImeOpenStatus();
    result = ScriptValue::integer(open ? static_cast<int32_t>(*open) : -1);
}

// SETIMESTATE(open): what the input-method window answered; 0 without one.
void builtinSetImeState(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    auto answer = interpreter.desktop().setImeOpenStatus(arguments[0].toInt() != 0);
    result = ScriptValue::integer(answer ? static_cast<int32_t>(*answer) : 0);
}

// GETACTIVEWINDOWTITLE(): the title's bytes in the ANSI code page, not converted to UTF-8.
void builtinGetActiveWindowTitle(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::string(interpreter.desktop().getForegroundWindowTextA());
}

void builtinGetSystemMetrics(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::integer(interpreter.desktop().getSystemMetrics(arguments[0].toInt()));
}

void builtinGetClipboardText(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::string(utf16ToUtf8(interpreter.desktop().getClipboardText(interpreter.ownerWindow())));
}

void builtinSetClipboardText(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    bool set = interpreter.desktop().setClipboardText(interpreter.ownerWindow(), utf8ToUtf16(arguments[0].toString()));
    result = ScriptValue::integer(set ? 1 : 0);
}

// GETKEYINPUTDEVICELIST(name): the keyboards' names, each cut before its second '#', as elements
// 0, 1, ... of the array; the number stored.
void builtinGetKeyInputDeviceList(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string name = arrayNameOrReport(interpreter, arguments[0], "GetKeyInputDeviceList");
    if (name.empty()) return void(result = ScriptValue::integer(-1));
    ScriptValue& variable = interpreter.variables().getOrCreate(name);
    variable.isString = false;
    variable.text.clear();
    variable.isArray = false;
    variable.elements.clear();
    auto devices = interpreter.desktop().getRawInputDeviceList();
    size_t stored = 0;
    for (const RawInputDevice& device : devices ? *devices : std::vector<RawInputDevice>{}) {
        if (device.type != raw_input::TypeKeyboard || !device.name) continue;
        const std::u16string& full = *device.name;
        size_t first = full.find(u'#');
        size_t second = first == std::u16string::npos ? first : full.find(u'#', first + 1);
        writeElement(variable, name, stored++, ScriptValue::string(utf16ToUtf8(full.substr(0, second))));
    }
    result = ScriptValue::integer(static_cast<int32_t>(stored));
}

// GETMONITORSRECT(left, top, right, bottom[, width[, height]]): each monitor's rectangle, as
// element i of the arrays; the number of monitors.
void builtinGetMonitorsRect(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::vector<std::string> names;
    for (const ScriptValue& argument : arguments) {
        names.push_back(Interpreter::arrayName(argument));
        if (names.back().empty()) {
            reportInvalidArrayName(interpreter, "GetMonitorsRect");
            return void(result = ScriptValue::integer(-1));
        }
    }
    auto monitors = interpreter.desktop().enumDisplayMonitors();
    if (!monitors) return void(result = ScriptValue::integer(0));
    VariableTable& variables = interpreter.variables();
    for (const std::string& name : names) {
        ScriptValue& variable = variables.getOrCreate(name);
        variable = ScriptValue{};
        variable.isArray = true;
        variable.text = name;
    }
    for (size_t i = 0; i < monitors->size(); ++i) {
        const Rect& monitor = (*monitors)[i];
        const int32_t values[] = {monitor.left, monitor.top, monitor.right, monitor.bottom,
                                  wrapSub(monitor.right, monitor.left), wrapSub(monitor.bottom, monitor.top)};
        for (size_t which = 0; which < names.size(); ++which)
            writeElement(*variables.find(names[which]), names[which], i, ScriptValue::integer(values[which]));
    }
    result = ScriptValue::integer(static_cast<int32_t>(monitors->size()));
}

}  // namespace wavelith::script
