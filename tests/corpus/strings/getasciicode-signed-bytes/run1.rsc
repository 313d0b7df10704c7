s = "A日"
MESSAGE("" + GETASCIICODE(s, 0) + " " + GETASCIICODE(s, 1) + " " + GETASCIICODE(s, 3) + " " + GETASCIICODE(s, 4) + " " + GETASCIICODE(s, -1) + " " + GETASCIICODE("", 0) + " " + GETASCIICODE(CHR(127), 0))
