; A visible wiggle that leaves the cursor exactly where it was.
; 目に見える揺れのあと、カーソルを元の位置へ正確に戻す
x = GETCURSORPOSX()
y = GETCURSORPOSY()
MOVEMOUSE(20, 20)
SLEEP(100)
SETCURSORPOS(x, y)
