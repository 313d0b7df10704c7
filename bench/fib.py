def fib(n):
    if n < 2:
        return n
    return fib(n - 1) + fib(n - 2)
raise SystemExit(fib(24) % 256)
