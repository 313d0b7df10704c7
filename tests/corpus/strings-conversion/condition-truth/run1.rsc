IF "0" {
  MESSAGE("string 0 is true")
}
IF !"0" {
  MESSAGE("not string 0 is true too")
}
IF "" {
  MESSAGE("empty string is true")
} ELSE {
  MESSAGE("empty string is false")
}
IF "abc" {
  MESSAGE("abc is true")
}
IF (!"abc") {
  MESSAGE("not abc is true")
}
WHILE "0" {
  MESSAGE("while string 0")
  BREAK
}
MESSAGE("0" ? "cond true" : "cond false")
MESSAGE(("0" && 1) + ("0" || 0))
