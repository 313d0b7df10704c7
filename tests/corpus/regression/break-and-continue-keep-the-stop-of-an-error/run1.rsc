; The division reports once and ends the run; CONTINUE must not turn its stop into a next pass.
LOOP {
  IF (1 / 0) == 0 {
    CONTINUE
  }
}
