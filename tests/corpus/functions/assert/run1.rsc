ASSERT(1, "fine")
ASSERT("0abc", "boom " + 42)
MESSAGE("not reached")
