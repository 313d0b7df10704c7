; Counting loop: 1,000,000 iterations with arithmetic.
s = 0
i = 0
WHILE i < 1000000 {
  s = (s + i * 3) % 1000003
  i++
}
EXIT s % 256
