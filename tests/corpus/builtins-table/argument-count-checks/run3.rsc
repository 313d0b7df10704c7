x = MAX()
