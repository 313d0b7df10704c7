v[5] = "old"
v = "text"
SPLIT("x-y", "-", "v")
MESSAGE(ARRAYSIZE("v"))
MESSAGE(v[0] + v[1])
