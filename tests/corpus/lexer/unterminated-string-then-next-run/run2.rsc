MESSAGE("fine")
