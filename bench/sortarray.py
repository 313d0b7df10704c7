a = []
for i in range(100000):
    a.append("key" + str((i * 7919) % 100003))
a.sort()
raise SystemExit((len(a[0]) + len(a[99999]) * 3 + len(a[50000]) * 5) % 256)
