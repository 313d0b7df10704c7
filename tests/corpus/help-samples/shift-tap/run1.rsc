; Tap Shift, unless the user holds it down already.
; Shift キーを軽く押す（利用者が押しているときは何もしない）
IF GETKEYSTATE(VK_SHIFT) >= 0 {
    KEYBDEVENT(VK_SHIFT, 1)
    KEYBDEVENT(VK_SHIFT, 0)
}
