DEFINE("rsc_lang", 0)
x = 1 % 0
