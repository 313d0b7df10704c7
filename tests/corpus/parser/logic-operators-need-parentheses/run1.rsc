x = !y
