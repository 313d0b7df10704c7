MESSAGE("[" + JOIN("x$") + "]")
