s = 0
i = 0
while i < 3000000:
    s = (s + i * 3) % 1000003
    i += 1
print(s)
