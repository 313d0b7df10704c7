; One side of a small square per shake: down, left, up, right.
; KEEPVAR keeps STEP from one run to the next.
; 揺らすたびに小さな四角形の 1 辺を進む（KEEPVAR で STEP を次の実行へ残す）
DEFINE("KEEPVAR", 1)
IF step == 0 {
    MOVEMOUSE(0, 8)
}
ELSE IF step == 1 {
    MOVEMOUSE(-8, 0)
}
ELSE IF step == 2 {
    MOVEMOUSE(0, -8)
}
ELSE {
    MOVEMOUSE(8, 0)
}
step = (step + 1) % 4
