; Recursive calls: fib(32), about 7 million calls.
FUNC fib(n) {
  IF n < 2 {
    RETURN n
  }
  RETURN fib(n - 1) + fib(n - 2)
}
EXIT fib(32)
