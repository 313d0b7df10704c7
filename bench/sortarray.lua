local a = {}
for i = 0, 99999 do
  a[i + 1] = "key" .. (i * 7919) % 100003
end
table.sort(a)
os.exit((#a[1] + #a[100000] * 3 + #a[50001] * 5) % 256)
