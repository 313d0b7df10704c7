local s = ""
for i = 0, 99999 do
  s = s .. "x"
end
os.exit((s .. "!" > "x") and 1 or 0)
