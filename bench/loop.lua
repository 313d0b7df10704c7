local s, i = 0, 0
while i < 1000000 do
  s = (s + i * 3) % 1000003
  i = i + 1
end
os.exit(s % 256)
