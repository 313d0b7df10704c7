local a = {}
for i = 0, 9999 do
  a[i + 1] = (i * 7919) % 10007
end
-- SORTARRAY orders by the text of each element.
for i = 1, #a do
  a[i] = tostring(a[i])
end
table.sort(a)
local s = table.concat(a, ",")
os.exit((#s + #a[1] * 7) % 256)
