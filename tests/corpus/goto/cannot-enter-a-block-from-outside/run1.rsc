GOTO :inside
IF 0 {
  :inside
  MESSAGE("no")
}
