FUNC f() {
  :infunc
  RETURN 1
}
GOTO :infunc
