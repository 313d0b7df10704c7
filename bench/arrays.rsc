; Fill, sort (by string form, as SORTARRAY does) and join a 10,000-element array.
FOR (i = 0, i < 10000, i++) {
  a[i] = (i * 7919) % 10007
}
SORTARRAY("a")
s = JOIN("a", ",")
EXIT (STRLEN(s) + STRLEN(a[0]) * 7) % 256
