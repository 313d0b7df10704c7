x = ABS(1, 2)
