MESSAGE(REGEX_REPLACE("日本 語", " ", "・"))
MESSAGE(REGEX_REPLACE("日本語", ".", "[$&]"))
