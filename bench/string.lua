-- Lua builds a long string in a buffer: appending with .. would copy it at every step.
local parts = {}
for i = 0, 399999 do
  parts[#parts + 1] = "<" .. i .. ">"
end
local s = table.concat(parts)
local total = 0
for j = 0, 299 do
  total = total + string.find(s, "<" .. (j * 7919) % 400000 .. ">", 1, true) - 1
end
print((#s + total) % 1000000007)
