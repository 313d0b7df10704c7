local a = {}
for i = 0, 699999 do
  a[i + 1] = "key" .. (i * 3001) % 700001
end
table.sort(a)
local s = table.concat(a, ",")
print(#s + #a[1] * 7 + #a[700000] * 3 + string.find(s, "key100000", 1, true) - 1)
