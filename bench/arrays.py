a = []
for i in range(10000):
    a.append((i * 7919) % 10007)
# SORTARRAY orders by the text of each element.
a.sort(key=str)
s = ",".join(map(str, a))
raise SystemExit((len(s) + len(str(a[0])) * 7) % 256)
