Exit = 3
