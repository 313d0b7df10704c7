x = 1
ELSE1 = 5
