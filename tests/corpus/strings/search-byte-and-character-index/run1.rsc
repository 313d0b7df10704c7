s = "日本語abcABC"
MESSAGE("" + STRSTR(s, "語") + " " + MBSTRSTR(s, "語") + " " + STRSTR(s, "b") + " " + MBSTRSTR(s, "b"))
MESSAGE("" + STRSTR(s, "B") + " " + STRSTRI(s, "B") + " " + MBSTRSTRI(s, "B") + " " + MBSTRSTR(s, "x") + " " + MBSTRSTRI(s, "X"))
MESSAGE("" + STRSTR(s, "") + " " + MBSTRSTR(s, "") + " " + STRSTR("", "a") + " " + STRSTR("abc", "abcd") + " " + STRSTRI("xAbC", "abc"))
