IF 1 {
  x = MAX(1, 2) +
}
