a = []
for i in range(700000):
    a.append("key" + str((i * 3001) % 700001))
a.sort()
s = ",".join(a)
print(len(s) + len(a[0]) * 7 + len(a[699999]) * 3 + s.find("key100000"))
