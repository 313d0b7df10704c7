; 2 GiB of padding is refused before it is built.
s = PADLEFT("", MAXINTEGER)
MESSAGE("not reached")
