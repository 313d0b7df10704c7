local s, i = 0, 0
while i < 3000000 do
  s = (s + i * 3) % 1000003
  i = i + 1
end
print(s)
