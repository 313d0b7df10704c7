s$ += "x"
a = "a"
++a
++u$
v = "5"
w = v++
m = "7"
m *= 2
p = "abc"
p -= 1
q = "ab"
q += 1
MESSAGE(s$ + "," + a + "," + u$ + "," + w + "," + v + "," + m + "," + p + "," + q)
MESSAGE(TYPEOF("W") + "," + TYPEOF("V") + "," + TYPEOF("M") + "," + TYPEOF("A") + "," + TYPEOF("Q"))
