loop = 1
