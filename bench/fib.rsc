; Recursive fib(24).
FUNC fib(n) {
  IF n < 2 {
    RETURN n
  }
  RETURN fib(n - 1) + fib(n - 2)
}
EXIT fib(24) % 256
