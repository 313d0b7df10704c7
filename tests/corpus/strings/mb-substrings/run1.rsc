s = "日本語ab"
MESSAGE(MBLEFT(s, 2) + "|" + MBLEFT(s, -1) + "|" + MBLEFT(s, 0) + "|" + MBLEFT(s, 5) + "|" + MBLEFT(s, 9))
MESSAGE(MBRIGHT(s, 3) + "|" + MBRIGHT(s, -1) + "|" + MBRIGHT(s, 0) + "|" + MBRIGHT(s, 9))
MESSAGE(MBMID(s, 2, 2) + "|" + MBMID(s, 0, 1) + "|" + MBMID(s, 4, 9) + "|" + MBMID(s, 2, -1) + "|" + MBMID(s, 6, 1) + "|" + MBSUBSTR(s, 3, 1) + "|" + MBSUBSTRING(s, -7, 2))
