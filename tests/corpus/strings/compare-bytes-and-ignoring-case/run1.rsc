MESSAGE("" + STRCMP("abc", "abd") + " " + STRCMP("abd", "abc") + " " + STRCMP("abc", "abc") + " " + STRCMP("ab", "abc") + " " + STRCMP("é", "z") + " " + STRCMP("B", "a"))
MESSAGE("" + STRCMPI("a", "c") + " " + STRCMPI("HeLLo", "hello") + " " + STRCMPI("b", "A") + " " + STRCMPI("abc", "ab") + " " + STRCMPI("_", "a"))
MESSAGE("" + STARTSWITH("abc", "") + STARTSWITH("abc", "ab") + STARTSWITH("ab", "abc") + STARTSWITH("abc", "b") + STARTSWITH("", ""))
MESSAGE("" + ENDSWITH("abc", "") + ENDSWITH("abc", "bc") + ENDSWITH("bc", "abc") + ENDSWITH("abc", "b") + ENDSWITH("日本語", "語"))
