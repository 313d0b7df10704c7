x = CLAMP(1, 2)
