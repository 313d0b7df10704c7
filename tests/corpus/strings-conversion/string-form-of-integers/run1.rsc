MESSAGE("" + -5 + "|" + 0 + "|" + MININTEGER + "|" + 007 + "|" + 0x10)
