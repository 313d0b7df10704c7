; Shake, and every third time say so in a balloon on the tray icon.
; 揺らして、3 回ごとにトレイアイコンの吹き出しで知らせる
DEFINE("KEEPVAR", 1)
MOVEMOUSE(1, 0)
MOVEMOUSE(-1, 0)
shakes++
IF shakes % 3 == 0 {
    CB.ShellNotify(FORMAT("%d shakes so far.", shakes), 1)
}
