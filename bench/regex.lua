local line = "the quick brown fox 12345 jumps over the lazy dog 678 times\r\n"
local parts = {}
for i = 1, 16384 do
  parts[i] = line
end
local s = table.concat(parts)
-- Lua has patterns, not regular expressions: %d+ is the same search here.
local pos, len, n, from = {}, {}, 0, 1
while true do
  local first, last = string.find(s, "%d+", from)
  if not first then break end
  pos[n], len[n] = first - 1, last - first + 1
  n = n + 1
  from = last + 1
end
os.exit((n + pos[n - 1] + len[n - 1]) % 256)
