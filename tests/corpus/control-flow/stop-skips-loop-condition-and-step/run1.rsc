REPEAT {
  EXIT 2
} UNTIL MESSAGE("until evaluated")
