MESSAGE("" + 2 ** 31 + "," + 3 ** -1 + "," + (2147483647 + 1) + "," + MAXINTEGER * 2)
MESSAGE("" + (MININTEGER - 1) + "," + 65536 * 65536 + "," + -MININTEGER + "," + - -5)
