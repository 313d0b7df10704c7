Cb = 2
