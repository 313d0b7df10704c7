x=1;y=2
z = 3 # z = 4
w = 5 // w = 6
MESSAGE("" + x + y + z + w)
