x = 1e5
