# Texts that agree on their first eight bytes, differ only in length or in a byte above 0x7F,
# and integers by their text.
ARRAYINIT("b", "abcdefghi", "abcdefgh", "abcdefgg", "ab", "", "abcdefghh", "é", "e", 10, 9, -5, "abcdefgh" + CHR(1), "abcdefgh ", "ABCDEFGH")
t = "abcdefgh" + PADLEFT("", 20, "x")
ARRAYADD("b", t + "b", t, t + "a", t + "ab", t + "é", t + "b" + CHR(1))
SORTARRAY("b")
MESSAGE(JOIN("b", "|"))
SORTARRAYDESC("b")
MESSAGE(JOIN("b", "|"))
