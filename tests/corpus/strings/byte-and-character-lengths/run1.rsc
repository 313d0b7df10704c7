s = "日本語"
MESSAGE("" + STRLEN(s) + " " + MBSTRLEN(s))
MESSAGE("" + STRLEN("") + " " + MBSTRLEN("") + " " + STRLEN(12345) + " " + MBSTRLEN("aé日😀") + " " + STRLEN("aé日😀"))
MESSAGE("" + MBSTRLEN(CHR(0x80) + CHR(0xBF)) + " " + MBSTRLEN(CHR(0xE6) + "a") + " " + MBSTRLEN(CHR(0xF0) + "abcd") + " " + MBSTRLEN(CHR(0xFC) + "a"))
