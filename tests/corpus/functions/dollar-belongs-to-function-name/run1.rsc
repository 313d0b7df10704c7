FUNC f$() {
  RETURN "str"
}
MESSAGE(f$())
MESSAGE(F())
