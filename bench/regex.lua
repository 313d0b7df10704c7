-- Lua has no regular expressions; its pattern %d+ finds the same matches here.
local s = string.rep("the quick brown fox 12345 jumps over the lazy dog 678 times\r\n", 262144)
local n, total, init = 0, 0, 1
while true do
  local first, last = string.find(s, "%d+", init)
  if not first then break end
  n = n + 1
  total = (total + (first - 1) + (last - first + 1)) % 1000003
  init = last + 1
end
print(n * 1000 + total % 1000)
