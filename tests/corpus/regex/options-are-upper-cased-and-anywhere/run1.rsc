MESSAGE(REGEX_MATCH("ABC", "abc"))
MESSAGE(REGEX_MATCH("ABC", "abc", "i"))
MESSAGE(REGEX_MATCH("ABC", "abc", "xyz I ..."))
MESSAGE(REGEX_MATCH("ABC", "abc", "q"))
