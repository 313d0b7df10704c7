x = abs()
