import re
s = "the quick brown fox 12345 jumps over the lazy dog 678 times\r\n" * 262144
n = 0
total = 0
for m in re.finditer("[0-9]+", s):
    n += 1
    total = (total + m.start() + len(m.group())) % 1000003
print(n * 1000 + total % 1000)
