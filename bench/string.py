s = ""
for i in range(100000):
    s += "x"
raise SystemExit(1 if s + "!" > "x" else 0)
