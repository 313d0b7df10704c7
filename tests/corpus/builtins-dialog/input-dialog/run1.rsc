a = INPUT("Name?")
b = INPUT("Number?", "")
c = INPUT("Third?", "Title")
MESSAGE(a + "|" + b + "|" + c + "|" + TYPEOF("B") + TYPEOF("C"))
