; A regular-expression search over 16 MB of text, then a pass over every match's position and length.
s = "the quick brown fox 12345 jumps over the lazy dog 678 times\r\n"
FOR (i = 0, i < 18, i++) {
  s += s
}
n = REGEX_SEARCH(s, "[0-9]+", "pos", "len")
total = 0
FOR (i = 0, i < n, i++) {
  total = (total + pos[i] + len[i]) % 1000003
}
EXIT n * 1000 + total % 1000
