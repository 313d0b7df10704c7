; A regular-expression search over 1 MB of text, keeping every match's position and length.
line = "the quick brown fox 12345 jumps over the lazy dog 678 times\r\n"
s = ""
FOR (i = 0, i < 16384, i++) {
  s += line
}
n = REGEX_SEARCH(s, "[0-9]+", "pos", "len")
EXIT (n + pos[n - 1] + len[n - 1]) % 256
