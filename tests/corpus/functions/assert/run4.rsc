assert(0, "a", "b")
