; A 100,000-character string built with +=.
s = ""
FOR (i = 0, i < 100000, i++) {
  s += "x"
}
EXIT (s + "!" > "x") + 0
