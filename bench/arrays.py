n = 2000000
a = [0] * n
for i in range(n):
    a[i] = (i * 13) % 10007
s = 0
for i in range(n):
    s = (s + a[i] * (i % 7)) % 1000003
print(s)
