EXIT 1 && 0
