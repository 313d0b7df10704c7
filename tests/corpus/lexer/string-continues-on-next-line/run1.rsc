s = "ab
cd"
MESSAGE(s)
t = "x\
y"
MESSAGE(t)
x = 1 / 0
