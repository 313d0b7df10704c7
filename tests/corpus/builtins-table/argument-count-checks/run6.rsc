x = MESSAGE(1, 2, 3)
