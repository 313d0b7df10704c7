; Sort and join: 700,000 strings sorted with SORTARRAY, joined with commas, then one search.
FOR (i = 0, i < 700000, i++) {
  a[i] = "key" + (i * 3001) % 700001
}
SORTARRAY("a")
s = JOIN("a", ",")
EXIT STRLEN(s) + STRLEN(a[0]) * 7 + STRLEN(a[699999]) * 3 + STRSTR(s, "key100000")
