FUNC f() {
  g = 5
}
MESSAGE(f())
MESSAGE(g)
