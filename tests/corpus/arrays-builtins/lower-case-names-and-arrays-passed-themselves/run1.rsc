arrayinit("list", "c", "a", "b")
SortArray(list)
MESSAGE(join(LIST, ""))
MESSAGE(ArraySize(list))
