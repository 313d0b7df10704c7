; User functions: parameters are restored after the call, RETURN gives the value.
x = 100
MESSAGE(FORMAT("%d! = %d", 5, factorial(5)))
MESSAGE(greet("Ann"))
MESSAGE(x)

FUNC factorial(x) {
    IF x <= 1 {
        RETURN 1
    }
    RETURN x * factorial(x - 1)
}

FUNC greet(name$) {
    RETURN "Hello, " + name$ + "!"
}
