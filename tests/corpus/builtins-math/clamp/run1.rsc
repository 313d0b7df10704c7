MESSAGE("" + CLAMP(5, 10, 0) + "," + CLAMP(-5, 10, 0) + "," + CLAMP(15, 10, 0))
MESSAGE("" + CLAMP(5, 0, 10) + "," + CLAMP(-1, 0, 10) + "," + CLAMP(11, 0, 10) + "," + CLAMP("7", "0", "5"))
