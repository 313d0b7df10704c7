# The failed call of the first run gave its arguments back.
MESSAGE(s + "|" + STRLEN(s))
