; Five million pieces are more than an array may hold.
n = SPLIT(PADLEFT("", 5000000, ","), ",", "a")
MESSAGE("not reached")
