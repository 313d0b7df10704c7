DEFINE("RSC_LANG", 1)
x = 1 / 0
