# The same searches over ASCII text and over the same text with one character beyond ASCII at its
# end: counts, positions and replacements agree, with options, classes, back-references and
# patterns only the UTF-16 engine compiles.
t = "Abc-123 abc_45 ABC\r\nx9 a.b A.B"
u = t + "é"
FOR (i = 0, i < 2, i++) {
  s = i == 0 ? t : u
  r = ""
  r += "" + REGEX_SEARCH(s, "[0-9]+", "p", "l") + ":" + p[0] + "," + l[0] + "," + p[1] + "," + l[1] + " "
  r += "" + REGEX_SEARCH(s, "abc", "i", "p", "l") + ":" + p[2] + " "
  r += "" + REGEX_SEARCH(s, "\\w+") + "," + REGEX_SEARCH(s, "\\b[a-z]") + "," + REGEX_SEARCH(s, "(a)\\.\\1", "I") + " "
  r += "" + REGEX_SEARCH(s, "[[:upper:]]") + "," + REGEX_SEARCH(s, "\\s") + "," + REGEX_SEARCH(s, "^x", "s") + " "
  r += "" + REGEX_SEARCH(s, "\\x{100}|9") + "," + REGEX_SEARCH(s, "[[=a=]]") + "," + REGEX_SEARCH(s, "(") + " "
  r += "" + REGEX_MATCH(s, ".*B.?", "") + "," + REGEX_MATCH(s, "(?s).*") + " "
  r += REGEX_REPLACE(s, "([a-c])([0-9]?)", "<$2$1>", "i")
  MESSAGE(r)
}
