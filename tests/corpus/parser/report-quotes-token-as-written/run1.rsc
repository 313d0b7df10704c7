x = 1 + WhIlE 2
