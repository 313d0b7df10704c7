DEFINE("mustvardef", "1")
x = n
