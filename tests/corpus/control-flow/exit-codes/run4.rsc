EXIT 7 + 1 / 0
