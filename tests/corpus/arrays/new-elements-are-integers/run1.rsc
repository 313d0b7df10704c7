a$[2] = "x"
MESSAGE("[" + a$[1] + "]" + a$[2])
MESSAGE("[" + a[1] + "]")
