x = convchar("a")
