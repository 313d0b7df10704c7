LOOP
x = 1
