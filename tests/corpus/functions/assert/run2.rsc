x = ASSERT(0, 7) + MESSAGE("rest")
