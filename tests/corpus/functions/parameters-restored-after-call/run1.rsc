FUNC f(p, q, r$) {
  p = p * 2
  RETURN p
}
p = 1
MESSAGE(f(5, 6, "x"))
MESSAGE(p)
MESSAGE(TYPEOF("Q") + "," + q)
DEFINE("MUSTVARDEF", 1)
MESSAGE("[" + r$ + "]")
