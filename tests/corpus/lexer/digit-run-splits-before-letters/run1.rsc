x = 0B2
