MESSAGE("" + ABS(-5) + "," + ABS(5) + "," + ABS("-7") + "," + ABS(MININTEGER))
MESSAGE("" + MAX(3) + "," + MAX("7", 3) + "," + MAX(1, 5, 3) + "," + MIN(4, -2, 9) + "," + MAX("abc", -1) + "," + MIN(8))
