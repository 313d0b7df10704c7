FUNC f() {
  EXIT 5
}
FUNC g() {
  GOTO :nowhere
}
x = f() + g()
