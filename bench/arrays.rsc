; Array fill and read: 2,000,000 elements written, then read back in a weighted sum.
n = 2000000
FOR (i = 0, i < n, i++) {
  a[i] = (i * 13) % 10007
}
s = 0
FOR (i = 0, i < n, i++) {
  s = (s + a[i] * (i % 7)) % 1000003
}
EXIT s
