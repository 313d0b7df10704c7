MESSAGE(LEFT("abcdef", 2) + "|" + LEFT("abcdef", -1) + "|" + LEFT("abcdef", 0) + "|" + LEFT("abcdef", 6) + "|" + LEFT$("abcdef", "3x"))
MESSAGE(RIGHT("abcdef", 2) + "|" + RIGHT("abcdef", 0) + "|" + RIGHT("abcdef", 6) + "|" + RIGHT("abcdef", 99))
MESSAGE(MID("abcdef", 0, 2) + "|" + MID("abcdef", 1, 2) + "|" + MID("abcdef", 5, 9) + "|" + MID("abcdef", 7, 1) + "|" + MID("abcdef", 3, -1) + "|" + MID("abcdef", -3, 2) + "|" + MID("abcdef", 2, 0))
MESSAGE(SUBSTR("abcdef", 2, 3) + "|" + SUBSTRING("abcdef", 4, -5) + "|" + STRLEN(MID("日本", 2, 2)))
