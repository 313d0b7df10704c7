FUNC fib(n) {
  IF n < 2 {
    RETURN n
  }
  RETURN fib(n - 1) + fib(n - 2)
}
FUNC fact(n) { IF n <= 1 { RETURN 1 } RETURN n * fact(n - 1) }
MESSAGE(fib(15))
MESSAGE(fact(10))
