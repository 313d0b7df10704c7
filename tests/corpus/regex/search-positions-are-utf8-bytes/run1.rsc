t = "日x本yy"
n = REGEX_SEARCH(t, "[xy]+", "pos", "len")
MESSAGE("" + n + ": " + pos[0] + "," + len[0] + " " + pos[1] + "," + len[1])
MESSAGE(MID(t, pos[1] + 1, len[1]))
n = REGEX_SEARCH(t, "本", "pos", "len")
MESSAGE("" + n + ": " + pos[0] + "," + len[0])
