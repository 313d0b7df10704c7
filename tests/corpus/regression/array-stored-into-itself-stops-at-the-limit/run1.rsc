; Every pass doubles what a holds; once it would pass the limits, the assignment fails at once
; (106) instead of exhausting memory.
a[0] = PADLEFT("", 10000000, "x")
LOOP {
  a[0] = a
  a[1] = a
}
