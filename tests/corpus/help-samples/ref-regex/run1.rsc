; Whole-text match, replace-all, and search with positions.
MESSAGE(REGEX_MATCH("2025-06-30", "\\d{4}-\\d{2}-\\d{2}"))
MESSAGE(REGEX_REPLACE("John Smith", "(\\w+) (\\w+)", "$2, $1"))
text = "a1 b22 c333"
count = REGEX_SEARCH(text, "[0-9]+", "POS", "LEN")
FOR (i = 0, i < count, i++) {
    MESSAGE(MID(text, POS[i] + 1, LEN[i]))
}
