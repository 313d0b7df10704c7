; String building and searching: 400,000 numbered tokens appended with +=, then 300 searches.
s = ""
FOR (i = 0, i < 400000, i++) {
  s += "<" + i + ">"
}
total = 0
FOR (j = 0, j < 300, j++) {
  total += STRSTR(s, "<" + (j * 7919) % 400000 + ">")
}
EXIT (STRLEN(s) + total) % 1000000007
