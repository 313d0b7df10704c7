import re

line = "the quick brown fox 12345 jumps over the lazy dog 678 times\r\n"
# join: += on a module-level string copies it each time, which would time the building instead.
s = "".join(line for i in range(16384))
pos, length = [], []
for match in re.finditer(r"[0-9]+", s):
    pos.append(match.start())
    length.append(match.end() - match.start())
n = len(pos)
raise SystemExit((n + pos[n - 1] + length[n - 1]) % 256)
