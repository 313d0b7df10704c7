; Bytes and characters: strings are UTF-8.
s = "Wavelith ウェーブ"
MESSAGE(FORMAT("%d bytes, %d characters", STRLEN(s), MBSTRLEN(s)))
MESSAGE(LEFT(s, 4) + "|" + MID(s, 5, 4) + "|" + MBRIGHT(s, 3))
MESSAGE(STRUPR("abc") + PADLEFT(7, 3, "0") + FORMAT("[%-5s]", "ab"))
MESSAGE(REPLACE("a-b-c", "-", "+") + " " + TRIMLEFT("   x"))
MESSAGE("1" + 2)
MESSAGE(1 + "2")
