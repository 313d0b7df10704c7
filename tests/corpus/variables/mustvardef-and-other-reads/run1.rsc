DEFINE("MUSTVARDEF", 1)
a = VK_RETURN + ZERO + FALSE + NIL + NULL + NOTHING + NO + DUMMY
b = c[5]
MESSAGE("" + a + "," + b)
n -= 1
MESSAGE("not reached")
