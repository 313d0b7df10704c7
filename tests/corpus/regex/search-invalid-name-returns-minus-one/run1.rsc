MESSAGE(REGEX_SEARCH("abc", "b", "i", "1p", "l"))
