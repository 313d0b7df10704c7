IF c { x = 1 }
