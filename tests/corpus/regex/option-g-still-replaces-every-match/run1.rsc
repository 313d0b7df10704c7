MESSAGE(REGEX_REPLACE("aaa", "a", "b", "g"))
MESSAGE(REGEX_MATCH("aaa", "a+", "G"))
