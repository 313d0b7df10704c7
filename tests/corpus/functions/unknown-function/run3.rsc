MESSAGE("[" + left("abc") + "]")
