MESSAGE(REPLACE("abc", "", "x") + "|" + REPLACE("abc", "") + "|" + REPLACE("", "", "x") + "|")
MESSAGE("still running")
