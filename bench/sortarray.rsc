; SORTARRAY of 100,000 strings.
FOR (i = 0, i < 100000, i++) {
  a[i] = "key" + (i * 7919) % 100003
}
SORTARRAY("a")
EXIT (STRLEN(a[0]) + STRLEN(a[99999]) * 3 + STRLEN(a[50000]) * 5) % 256
