; The smallest useful shake: one pixel right and back again.
; いちばん小さな揺れ: 右へ 1 ピクセル動かして戻す
MOVEMOUSE(1, 0)
MOVEMOUSE(-1, 0)
