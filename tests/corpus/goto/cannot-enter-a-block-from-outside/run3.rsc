IF 1 {
  GOTO :other
} ELSE {
  :other
  MESSAGE("no")
}
