; IF, WHILE, FOR, REPEAT ... UNTIL, LOOP, BREAK and CONTINUE
hour = 14
IF hour < 12 {
    part = "morning"
}
ELSE IF hour < 18 {
    part = "afternoon"
}
ELSE {
    part = "evening"
}
i = 0
WHILE i < 3 {
    i++
}
sum = 0
FOR (n = 1, n <= 10, n++) {
    IF n % 2 == 0 {
        CONTINUE
    }
    sum += n
}
REPEAT {
    i--
} UNTIL i <= 0
LOOP {
    i++
    IF i == 5 {
        BREAK
    }
}
MESSAGE(FORMAT("%s, %d, %d", part, sum, i))
