DEFINE("KEEPVAR", 1)
a[1] = "x"
