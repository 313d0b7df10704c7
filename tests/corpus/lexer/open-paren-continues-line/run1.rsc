x = MAX( 	
  1, 7)
MESSAGE(x)
y = 1 / 0
