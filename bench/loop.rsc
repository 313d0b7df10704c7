; Counting loop: 3,000,000 iterations with arithmetic.
s = 0
i = 0
WHILE i < 3000000 {
  s = (s + i * 3) % 1000003
  i++
}
EXIT s
