local n = 2000000
local a = {}
for i = 0, n - 1 do
  a[i + 1] = (i * 13) % 10007
end
local s = 0
for i = 0, n - 1 do
  s = (s + a[i + 1] * (i % 7)) % 1000003
end
print(s)
